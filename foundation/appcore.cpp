#include "foundation/appcore.h"

#include <chrono>

#include "foundation/DateTime.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

namespace appcore {

namespace {

constexpr int64_t kMsPerDay = 86400000;
// TDateTime day number of 2000-01-01.
constexpr int64_t kDay2000 = 36526;

constexpr std::string_view kExplanation =
    "Volani appform.InitializeFormApplication je potreba, aby aplikace spravne "
    "poznala, ze jsou jeji okna pripravena.\n\n"
    "Patri do hlavniho bloku programu, tesne pred spustenim smycky zprav, az jsou "
    "vytvorena vsechna okna.\n\n"
    "Muze byt volano take z udalosti vytvoreni hlavniho okna; pak musi kazde dalsi "
    "okno volat appform.AutoChangeAppFont samo se sebou.\n\n"
    "Zmena pisma je volitelna, ale doporucena: nahradni pismo zobrazuje ceska "
    "pismena spravne.";

struct State {
  bool started = false;
  int64_t stamp = 0;
  std::chrono::steady_clock::time_point steadyStart;
  bool formsReady = false;
};

State& TheState() {
  static State state;
  return state;
}

int64_t LocalStamp() {
  const platform::LocalTime t = platform::LocalNow();
  TDateTime date = 0;
  if (!DateTime::TryEncodeDate(t.year, t.month, t.day, date)) return 0;
  const int64_t msOfDay = ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.millisecond;
  return (static_cast<int64_t>(date) - kDay2000) * kMsPerDay + msOfDay;
}

State& Started() {
  Start();
  return TheState();
}

}  // namespace

void Start() {
  State& s = TheState();
  if (s.started) return;
  s.started = true;
  s.steadyStart = std::chrono::steady_clock::now();
  s.stamp = LocalStamp();
}

int64_t StartStamp() { return Started().stamp; }

int64_t MsSinceStart() {
  const auto elapsed = std::chrono::steady_clock::now() - Started().steadyStart;
  return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

bool IsFormApplicationInitialized() { return TheState().formsReady; }

void SetFormApplicationInitialized() { TheState().formsReady = true; }

std::string FormApplicationMessage(bool grace, std::string_view reason, int64_t elapsedMs) {
  std::string text;
  if (grace) {
    text = "Nebylo jeste volano appform.InitializeFormApplication !!!\n\n"
           "Je potreba prodlouzit cas pro start aplikace, dosavadnich " +
           std::to_string(kGraceMs) + "ms nestaci. Dosavadni delka behu je " +
           std::to_string(elapsedMs) + "ms\n\n";
  } else if (!reason.empty()) {
    text = std::string(reason) + "\n\n";
  } else {
    text = "Nebylo volano appform.InitializeFormApplication !!!\n\n";
  }
  return text + std::string(kExplanation);
}

void CheckFormApplication(bool grace, std::string_view reason) {
  if (IsFormApplicationInitialized()) return;
  const int64_t elapsed = MsSinceStart();
  if (grace && elapsed < kGraceMs) return;
  platform::ShowMessageBox(FormApplicationMessage(grace, reason, elapsed),
                           "Chyba inicializace aplikace", platform::MessageButtons::Ok,
                           platform::MessageIcon::Error);
}

}  // namespace appcore
