#include "platform/ftp/FtpLogin.h"

#include <array>
#include <string_view>

namespace platform {

namespace {

struct Step {
  const char* command;
  const char* argument;  // %u user, %p password, %h target, %U proxy user, %P proxy password
};

using Dialogue = std::vector<Step>;

const Dialogue kDirect = {{"USER", "%u"}, {"PASS", "%p"}};

const std::array<Dialogue, 6> kProxyDialogues = {{
    {{"USER", "%u@%h"}, {"PASS", "%p"}},
    {{"USER", "%U"}, {"PASS", "%P"}, {"USER", "%u@%h"}, {"PASS", "%p"}},
    {{"USER", "%U"}, {"PASS", "%P"}, {"SITE", "%h"}, {"USER", "%u"}, {"PASS", "%p"}},
    {{"USER", "%U"}, {"PASS", "%P"}, {"OPEN", "%h"}, {"USER", "%u"}, {"PASS", "%p"}},
    {{"USER", "%u@%U@%h"}, {"PASS", "%p@%P"}},
    {{"USER", "%U"}, {"PASS", "%P"}, {"USER", "%u"}, {"PASS", "%p"}},
}};

std::string Expand(std::string_view pattern, const FtpLoginSettings& s) {
  const std::string target = s.port == 21 ? s.host : s.host + ":" + std::to_string(s.port);
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%' || i + 1 >= pattern.size()) {
      out += pattern[i];
      continue;
    }
    switch (pattern[++i]) {
      case 'u': out += s.user; break;
      case 'p': out += s.password; break;
      case 'h': out += target; break;
      case 'U': out += s.proxyUser; break;
      case 'P': out += s.proxyPassword; break;
      default: out += pattern[i]; break;
    }
  }
  return out;
}

}  // namespace

FtpLoginPlan MakeFtpLoginPlan(const FtpLoginSettings& settings) {
  const bool viaProxy = !settings.proxyHost.empty();
  int method = settings.proxyMethod;
  if (method < 0 || method >= static_cast<int>(kProxyDialogues.size())) method = 0;
  const bool toProxy = viaProxy && method != static_cast<int>(FtpProxyMethod::Transparent);

  FtpLoginPlan plan;
  plan.host = toProxy ? settings.proxyHost : settings.host;
  plan.port = toProxy ? settings.proxyPort : settings.port;
  // method is within the table: checked above.
  for (const Step& step : viaProxy ? kProxyDialogues[static_cast<size_t>(method)] : kDirect)
    plan.commands.push_back({step.command, Expand(step.argument, settings)});
  return plan;
}

}  // namespace platform
