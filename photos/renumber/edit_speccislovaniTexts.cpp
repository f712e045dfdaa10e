// The texts of the special renumbering: checks of the number edits, the
// question before a run and the report after it.
#include <cstdlib>

#include "foundation/StrFunc.h"
#include "photos/ReportText.h"
#include "photos/renumber/edit_speccislovaniWork.h"

namespace edit_speccislovani {

const char* const kCaptionError = "Chyba";
const char* const kCaptionInformation = "Informace";
const char* const kCaptionQuestion = "Dotaz";

namespace {

bool ReadNumber(const std::string& text, int32_t& value) {
  return StrFunc::TryStrToIntS(StrFunc::Trim(text), value);
}

std::string PrefixPhrase(const TOptions& o) {
  return "U souborů začínajícím na \"" + StrFunc::Trim(o.prefix) + "_\" ";
}

std::string Scope(const TOptions& o) {
  return std::string(o.subdirs ? "Provede se i ve všech podsložkách."
                               : "Provede se jen ve zvolené složce.") +
         "\nJe to tak správně a chcete spustit?";
}

std::string RenumberQuestion(const TOptions& o) {
  const std::string root = StrFunc::Trim(o.root);
  std::string q = "Chcete spustit očíslování ";
  q += o.byTime ? "podle data/času " : "podle jména ";
  if (!o.subdirs) return q + "ve složce " + root + " ?";
  return q + "ve složce a podsložkách " + root + " ?\n\n" +
         (o.continuous ? "Všechny podsložky se zpracují jako jedna složka..."
                       : "Složky budou procházené jedna po druhé...");
}

std::string ShiftQuestion(const TOptions& o) {
  const std::string change = o.shift < 0 ? "odstraníte mezeru v číslování snížením čísel o "
                                         : "vytvoříte mezeru v číslování zvýšením čísel o ";
  return PrefixPhrase(o) + change + std::to_string(std::llabs(o.shift)) + " od čísla " +
         std::to_string(o.from) + " (včetně)\n\n" + Scope(o);
}

}  // namespace

TMessage ReadNumbers(const std::string& startText, const std::string& fromText,
                     const std::string& shiftText, TOptions& options) {
  if (options.mode == TMode::Renumber && !ReadNumber(startText, options.start))
    return {"Počátek číslování musí být celé číslo", kCaptionError};
  if (options.mode != TMode::Shift) return {};
  if (!ReadNumber(fromText, options.from))
    return {"Počátek přečíslování musí být celé číslo", kCaptionError};
  if (!ReadNumber(shiftText, options.shift))
    return {"Posun přečíslování musí být celé číslo", kCaptionError};
  if (options.shift == 0)
    return {"Posun přečíslování máte NULA = není co dělat.", kCaptionInformation};
  return {};
}

std::string Question(const TOptions& options) {
  switch (options.mode) {
    case TMode::Renumber:
      return RenumberQuestion(options);
    case TMode::Shift:
      return ShiftQuestion(options);
    case TMode::ChangePrefix:
      return "U souborů končících na libovolně dlouhé číslo (= \"cokoli_xxx\") bude vyměněn "
             "prefix (text před podtržítkem) za \"" +
             StrFunc::Trim(options.prefix) + "\"\n\n" + Scope(options);
    case TMode::MoreDigits:
      return PrefixPhrase(options) + "bude zvýšen počet cifer přidáním nuly zleva.\n\n" +
             Scope(options);
    case TMode::FewerDigits:
      return PrefixPhrase(options) + "bude snížen počet cifer odebráním nuly zleva.\n\n" +
             Scope(options);
  }
  return std::string();
}

std::string Summary(const TResult& result) {
  std::string text;
  if (result.finished > 0)
    text = "Dokončeno přejmenování souborů z dříve přerušeného běhu: " +
           std::to_string(result.finished) + ".";
  if (result.interrupted && result.exact)
    text += std::string(text.empty() ? "" : "\n") +
            "Ve složce byl dříve přerušený běh. Byl dokončen celý, jak byl naplánován; zvolená "
            "operace proto nebyla spuštěna. Přerušenou operaci už znovu nespouštějte.";
  else if (result.interrupted)
    text += std::string(text.empty() ? "" : "\n") +
            "Ve složce zůstaly soubory z dříve přerušeného běhu, dostaly jména, která jim ten běh "
            "určil; zvolená operace proto nebyla spuštěna.";
  ReportText::AppendPart(text, "Tyto složky se nepodařilo přečíst, jejich soubory zůstaly beze "
                         "změny:", result.unreadable);
  ReportText::AppendPart(text, "Tyto soubory se nepodařilo přejmenovat:", result.failed);
  ReportText::AppendPart(
      text,
      "Tyto soubory stály novým názvům v cestě a dostaly před název pomlčky:", result.displaced);
  return text;
}

}  // namespace edit_speccislovani
