#include "UsageErrors.h"

namespace norvgpssim {

namespace {

// The option name the parser puts before ':' in its messages ("--rate: ...").
std::string LeadingName(const std::string& what) { return what.substr(0, what.find(':')); }

std::string AfterName(const std::string& what) {
  const auto colon = what.find(": ");
  return colon == std::string::npos ? what : what.substr(colon + 2);
}

// The subcommand that has an option of this name, or nullptr.
const CLI::App* OwnerOf(const CLI::App& app, const std::string& name) {
  for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; }))
    if (sub->get_option_no_throw(name) != nullptr) return sub;
  return nullptr;
}

std::string Extra(CLI::App& app) {
  std::string option, other;
  for (const std::string& arg : app.remaining(true)) {
    if (arg.size() > 1 && arg[0] == '-' && option.empty()) option = arg.substr(0, arg.find('='));
    else if (other.empty()) other = arg;
  }
  if (option.empty()) return "unexpected argument '" + other + "'";
  const auto chosen = app.get_subcommands();
  if (app.get_option_no_throw(option) != nullptr && !chosen.empty())
    return option + " is a run option, not used by " + chosen.front()->get_name() +
           ": give it without '" + chosen.front()->get_name() + "'";
  if (const CLI::App* sub = OwnerOf(app, option))
    return option + " is an option of " + sub->get_name() + ": put it after '" +
           sub->get_name() + "'";
  return "unknown option '" + option + "'";
}

}  // namespace

std::string UsageMessage(const CLI::ParseError& error, CLI::App& app) {
  const std::string what = error.what();
  if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) return Extra(app);
  if (dynamic_cast<const CLI::ValidationError*>(&error) != nullptr)
    return LeadingName(what) + " " + AfterName(what);
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
    if (what.find("At Most") != std::string::npos)
      return LeadingName(what) + " is given more than once: give it once";
    return LeadingName(what) + " needs a value";
  }
  return what;
}

}  // namespace norvgpssim
