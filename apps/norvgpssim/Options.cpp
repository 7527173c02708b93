#include "Options.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <limits>
#include <sstream>
#include <stdexcept>

#include "ExitCodes.h"
#include "NumberCheck.h"
#include "TimeText.h"
#include "UsageErrors.h"
#include "Version.h"
#include "norv/framework/SysUtils.h"

namespace norvgpssim {

namespace {

constexpr const char* kFooter = R"(Examples:
  norvgpssim                                   built-in scenario, one epoch per second to stdout
  norvgpssim --scenario examples/harbour-route.ini --pty /tmp/gps0
                                               a pseudo-terminal for a program that opens a
                                               serial port (gpsd -N /tmp/gps0)
  norvgpssim --tcp 2948 --bind 0.0.0.0         stream to every TCP client on port 2948
                                               (gpsd: gpsd -N tcp://localhost:2948)
  norvgpssim --port /dev/ttyUSB0 --baud 9600 --commands GGA,RMC
                                               a real serial line, two sentence kinds
  norvgpssim --profile nmea4 --pty /tmp/gps0  one fix per epoch, NMEA 4.11 sentences
  norvgpssim --deterministic --count 5         the same five epochs on every run
  norvgpssim --fault checksum:0.01 --fault drop:GSV --seed 3
                                               1 % bad checksums and no GSV, repeatably
  norvgpssim --time-scale 10 --duration 600    ten simulated minutes in one minute
  norvgpssim skyplot --scenario examples/harbour-route.ini -o sky.png
  norvgpssim skyplot --scenario examples/moving-sky.ini --tracks 12 -o sky.svg
  norvgpssim scenario --template > my.ini    a complete scenario to start from

Scenario file (INI): [Receiver] takes the component's published property names
(Latitude_Degree=54, Speed=12.5, HDOP=0.9, ...); [Files] may name Satellites=, WayPoints= and
Route= files (relative to the scenario); [Motion] Mode=static|constant|route, and
RouteEnd=stop|repeat for route mode; [Output] Profile=classic|nmea4 and Talker=GN; [Sky]
Model=fixed|orbits, ElevationMask=5, Systems=GPS,GLONASS,BeiDou, Seed=N for satellites on their
nominal orbits; [Timeline] lines T = action (Speed=20 over 30, stop, fault nofix for 30, ...).
`norvgpssim scenario --template` prints every section and key with the built-in scenario's
values; see also examples/ (tunnel.ini, noisy-line.ini) and README.md. Directions take N/S/E/W
and Commands= takes GGA,RMC as on the command line.

Sentence kinds for --commands: GGA GLL VTG RMC GSA GSV ZDA WPL RTE AAM, or ALL.

Exit status:
  0   normal end, or stopped by SIGINT/SIGTERM/SIGHUP after a clean shutdown
  64  bad command line
  65  bad scenario (missing file, unknown key, refused value)
  70  internal error
  74  an output could not be opened or written)";

struct Parser {
  CLI::App app{"norvgpssim: a simulated GPS receiver that emits NMEA 0183 sentences.",
               "norvgpssim"};
  CLI::App* skyplot = nullptr;
  CLI::App* scenarioCommand = nullptr;
  CommandLine result;
  std::string startTime, commands, scenario, skyScenario, skyTime, profile, talker;
  std::optional<std::int64_t> count;
  bool noStatus = false, printTemplate = false;
  std::optional<std::string> ptyLink;
  std::vector<std::string> faults;

  Parser() {
    app.footer(kFooter);
    app.set_version_flag("--version", [] { return "norvgpssim " + ComponentVersionText(); },
                         "Print the version of the simulator component and exit");
    AddRunOptions();
    AddSkyPlot();
    AddScenarioCommand();
  }

  void AddRunOptions() {
    RunOptions& r = result.run;
    app.add_option("-s,--scenario", scenario, "Scenario INI file (default: built-in scenario)")
        ->type_name("FILE")->group("Scenario");
    app.add_option("--rate", r.rateHz, "Epochs per second of simulated time (default 1)")
        ->type_name("HZ")->check(NumberIn("0.001", "100"))->group("Time");
    app.add_option("--start-time", startTime,
                   "UTC of the first epoch, ISO 8601 (default: the next whole second)")
        ->type_name("ISO8601")->group("Time");
    app.add_option("--time-scale", r.timeScale,
                   "Simulated seconds per wall-clock second (default 1)")
        ->type_name("X")->check(NumberIn("0.001", "1000000"))->group("Time");
    // Read as signed so that a negative count is refused instead of wrapping round.
    app.add_option("--count", count, "Stop after N epochs")
        ->type_name("N")->check(WholeNumberIn("1", "9223372036854775807"))
        ->group("Time");
    app.add_option("--duration", r.durationSeconds, "Stop after S seconds of simulated time")
        ->type_name("S")->check(NumberIn("0.001", "320000000000"))->group("Time");
    app.add_flag("--deterministic", r.deterministic,
                 "Fixed start time (2024-03-01T12:00:00Z unless --start-time), no wall-clock "
                 "pacing: byte-identical output on every run")
        ->group("Time");
    app.add_flag("--strict", r.strict,
                 "Treat a warning about the scenario's files as an error (exit 65)")
        ->group("Scenario");

    app.add_flag("--stdout", r.toStdout, "Write to stdout as well (the default output)")
        ->group("Outputs");
    auto* port = app.add_option("--port", r.port, "Serial device to transmit on")
                     ->type_name("DEVICE")->group("Outputs");
    app.add_option("--baud", r.baud, "Baud rate of --port (default 4800)")
        ->type_name("N")->check(WholeNumberIn("1", "4000000"))->needs(port)->group("Outputs");
    app.add_flag("--background", r.background,
                 "Hand each epoch to the component's sender thread instead of writing it "
                 "synchronously")
        ->needs(port)->group("Outputs");
    app.add_option("--pty", ptyLink,
                   "Create a pseudo-terminal and print the path a client should open; with "
                   "LINK, also keep a symlink there (removed on exit)")
        ->expected(0, 1)->type_name("[LINK]")->group("Outputs");
    auto* tcp = app.add_option("--tcp", r.tcpPort,
                               "Serve every epoch to each TCP client on PORT (0: any free port)")
                    ->type_name("PORT")->check(WholeNumberIn("0", "65535"))->group("Outputs");
    app.add_option("--bind", r.bindAddress, "Address of the TCP server (default 127.0.0.1)")
        ->type_name("ADDR")->needs(tcp)->group("Outputs");
    app.add_option("--max-clients", r.maxClients,
                   "TCP clients served at once; more are closed on arrival (default 64)")
        ->type_name("N")->check(WholeNumberIn("1", "65536"))->needs(tcp)->group("Outputs");
    app.add_option("--commands", commands, "Sentence kinds, e.g. GGA,RMC,GSV (default: all)")
        ->type_name("LIST")->group("Outputs");
    app.add_option("--profile", profile,
                   "classic: the component's own sentences, once per constellation talker "
                   "(default); nmea4: NMEA 0183 4.11, one fix per epoch")
        ->type_name("NAME")->group("Outputs");
    app.add_option("--talker", talker, "Talker of the nmea4 profile's fix sentences (default GN)")
        ->type_name("XX")->group("Outputs");
    app.add_flag("--no-status", noStatus, "No live status line on stderr")->group("Outputs");
    AddFaultOptions();
  }

  void AddFaultOptions() {
    app.add_option("--fault", faults,
                   "A fault for the whole run, repeatable: checksum:F, flip:F, truncate:F, "
                   "garbage:F (F a fraction of sentences), drop, drop:GSV, duplicate, stall, "
                   "nofix, clock:S")
        ->type_name("KIND[:ARG]")->group("Faults");
    app.add_option("--seed", result.run.seed, "Seed of the faults' random choices (default: the "
                   "timeline's Seed, else 1)")
        ->type_name("N")->check(NumberIn("0", "18446744073709551615"))->group("Faults");
    app.add_flag("--log-events", result.run.logEvents,
                 "Report each timeline event and fault to stderr as it fires")->group("Faults");
  }

  void FinishFaults() {
    for (const std::string& text : faults) {
      std::string why;
      const auto rule = ParseFault(text, why);
      if (!rule) throw std::invalid_argument("--fault " + text + ": " + why);
      result.run.faults.push_back(*rule);
    }
  }

  void AddSkyPlot() {
    skyplot = app.add_subcommand("skyplot", "Draw the scenario's satellites as a sky plot");
    skyplot->footer("Example:\n  norvgpssim skyplot --scenario examples/harbour-route.ini -o sky.svg");
    skyplot->add_option("-s,--scenario", skyScenario, "Scenario INI file (default: built-in)")
        ->type_name("FILE");
    skyplot->add_option("-o,--output", result.skyplot.output, "Image to write: .png or .svg, or - for a PNG on stdout")
        ->type_name("FILE")->required();
    skyplot->add_option("--radius", result.skyplot.radius, "Radius of the horizon in pixels (default 200)")
        ->type_name("PX")->check(WholeNumberIn("20", "4000"));
    skyplot->add_option("--tracks", result.skyplot.trackHours,
                        "With [Sky] Model=orbits: each satellite's track over the HOURS before "
                        "the plot's instant, a line ending in its disc")
        ->type_name("HOURS")->check(NumberIn("0.05", "240"));
    skyplot->add_option("--time", skyTime, "UTC instant of a moving sky's plot, ISO 8601 (default: now)")
        ->type_name("ISO8601");
  }

  void AddScenarioCommand() {
    scenarioCommand = app.add_subcommand("scenario", "Print a scenario file to start from");
    scenarioCommand->add_flag("--template", printTemplate,
                              "The built-in scenario, every section and key")
        ->required();
  }

  // A subcommand uses none of the run's options but --scenario: refuse the others by name.
  void RefuseRunOptions(const CLI::App& sub) const {
    for (const CLI::Option* o : app.get_options())
      if (o->count() > 0 && o->get_name() != "--scenario")
        throw std::invalid_argument(o->get_name() + " is a run option, not used by " +
                                    sub.get_name() + ": give it without '" + sub.get_name() +
                                    "'");
  }

  // The sentence kinds; an empty list is refused, not taken as all.
  void FinishCommands() {
    if (app.count("--commands") == 0) return;
    if (commands.find_first_not_of(" ,") == std::string::npos)
      throw std::invalid_argument("--commands '" + commands +
                                  "': no sentence kind (expected some of GGA GLL VTG RMC GSA "
                                  "GSV ZDA WPL RTE AAM, or ALL)");
    result.run.commands = ParseCommands(commands);
  }

  void FinishProfile() {
    RunOptions& r = result.run;
    if (!profile.empty()) {
      r.profile = ParseProfile(profile);
      if (!r.profile)
        throw std::invalid_argument("--profile must be classic or nmea4, not '" + profile + "'");
    }
    if (!talker.empty()) {
      if (!IsTalker(talker))
        throw std::invalid_argument("--talker must be two capital letters, not '" + talker + "'");
      r.talker = talker;
    }
  }

  void Finish() {
    RunOptions& r = result.run;
    if (!scenario.empty()) r.scenario = scenario;
    if (!skyScenario.empty()) result.skyplot.scenario = skyScenario;
    else if (!scenario.empty()) result.skyplot.scenario = scenario;  // given before 'skyplot'
    if (*skyplot) RefuseRunOptions(*skyplot);
    if (*scenarioCommand) {
      RefuseRunOptions(*scenarioCommand);
      result.command = Command::Template;
    }
    if (!skyTime.empty()) result.skyplot.atUnixMs = ParseIso8601(skyTime);
    r.status = !noStatus;
    if (count) r.count = static_cast<std::uint64_t>(*count);
    if (!startTime.empty()) r.startUnixMs = ParseIso8601(startTime);
    FinishCommands();
    FinishProfile();
    FinishFaults();
    if (app.count("--pty") > 0) {
      r.pty = true;
      r.ptyLink = ptyLink.value_or("");
    }
    if (*skyplot) result.command = Command::SkyPlot;
    const bool otherOutput = r.port || r.pty || r.tcpPort;
    if (!otherOutput) r.toStdout = true;
    const std::string ext = norv::UpperCase(result.skyplot.output.extension().string());
    if (*skyplot && ext != ".PNG" && ext != ".SVG" && result.skyplot.output != "-")
      throw std::invalid_argument("the sky plot is written as .png or .svg, not '" +
                                  result.skyplot.output.string() + "'");
  }
};

}  // namespace

norv::TNMEACommands ParseCommands(const std::string& list) {
  static constexpr std::pair<const char*, norv::TNMEACommand> kNames[] = {
      {"GGA", norv::GPGGA}, {"GLL", norv::GPGLL}, {"VTG", norv::GPVTG}, {"RMC", norv::GPRMC},
      {"GSA", norv::GPGSA}, {"GSV", norv::GPGSV}, {"ZDA", norv::GPZDA}, {"WPL", norv::GPWPL},
      {"RTE", norv::GPRTE}, {"AAM", norv::GPAAM}, {"ALL", norv::AllNMEA}};
  norv::TNMEACommands set;
  std::stringstream in(list);
  std::string item;
  while (std::getline(in, item, ',')) {
    item = std::string(norv::Trim(item));  // "GGA, RMC" as well as "GGA,RMC"
    std::string name = norv::UpperCase(item);
    if (name.size() == 5 && name.rfind("GP", 0) == 0) name.erase(0, 2);
    bool known = false;
    for (const auto& [text, element] : kNames)
      if (name == text) {
        set.Include(element);
        known = true;
      }
    if (!known)
      throw std::invalid_argument("--commands '" + list + "': unknown sentence kind '" + item +
                                  "' (expected GGA GLL VTG RMC GSA GSV ZDA WPL RTE AAM, or ALL)");
  }
  if (set.Empty()) throw std::invalid_argument("--commands needs at least one sentence kind");
  return set;
}

CommandLine ParseCommandLine(int argc, const char* const* argv, std::ostream& out,
                             std::ostream& err) {
  Parser p;
  try {
    p.app.parse(argc, argv);
    p.Finish();
    return p.result;
  } catch (const CLI::Success& e) {  // --help, --version
    p.result.command = Command::Exit;
    p.result.exitCode = p.app.exit(e, out, err);
    return p.result;
  } catch (const CLI::ParseError& e) {
    err << "norvgpssim: " << UsageMessage(e, p.app) << " (see --help)\n";
  } catch (const std::invalid_argument& e) {
    err << "norvgpssim: " << e.what() << " (see --help)\n";
  }
  p.result.command = Command::Exit;
  p.result.exitCode = kExitUsage;
  return p.result;
}

}  // namespace norvgpssim
