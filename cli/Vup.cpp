#include "cli/Vup.h"

#include <algorithm>
#include <ostream>

#include "cli/Doctor.h"
#include "cli/ExitCodes.h"
#include "cli/Report.h"
#include "cli/Session.h"
#include "common/VersionRules.h"

namespace qx4t::cli {

PendingUpdates PendingUpdatesOf(const Environment& env) {
    return PendingUpdates(env.stateFolder.empty() ? defaultStateFolder() : env.stateFolder,
                          env.notesFolder.empty() ? defaultNotesFolder() : env.notesFolder);
}

int RunVup(const Options& options, std::ostream& out, std::ostream& err, Environment& env) {
    switch (options.command) {
        case Command::Help:
            out << HelpText();
            return kExitSuccess;
        case Command::Version:
            if (options.json) {
                // For scripts that pin the target, in the form `status --json` gives it.
                out << JsonObject()
                           .add("type", "version")
                           .add("version", QX4T_VERSION)
                           .add("target_version",
                                Narrow(TargetVersionDisplay(kTargetFirmwareVersion)))
                           .str()
                    << '\n';
                return kExitSuccess;
            }
            out << "qx4t-vup " << QX4T_VERSION << " (installs firmware "
                << Narrow(kTargetFirmwareVersion) << ")\n";
            return kExitSuccess;
        default:
            break;
    }
    const Reporter::Style style = options.json          ? Reporter::Style::Json
                                  : env.progressInPlace ? Reporter::Style::InPlace
                                                        : Reporter::Style::Lines;
    Reporter report(style, out, err, *env.clock);
    Session session(options, report, env);
    switch (options.command) {
        case Command::Ports:
            // Before the list, which would otherwise look complete.
            for (const auto& problem :
                 env.discoveryProblems ? env.discoveryProblems() : std::vector<std::string>{}) {
                if (report.json())
                    report.record(JsonObject().add("type", "problem").add("message", problem));
                else
                    report.note("warning: " + problem);
            }
            return session.Ports();
        case Command::Status:
            return session.Status();
        case Command::Update:
            return session.Update();
        case Command::Doctor:
            return RunDoctor(options, report, env);
        default:
            return kExitUsage;
    }
}

int RunVup(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           Environment& env) {
    const ParseResult parsed = ParseOptions(args);
    if (!parsed.ok()) {
        // A script that asked for JSON reads the outcome from stdout, whatever went wrong.
        if (std::find(args.begin(), args.end(), "--json") != args.end()) {
            Reporter(Reporter::Style::Json, out, err, *env.clock).result(kExitUsage, parsed.error);
            err << UsageLine();
        } else {
            err << "qx4t-vup: " << parsed.error << "\n" << UsageLine();
        }
        return kExitUsage;
    }
    return RunVup(parsed.options, out, err, env);
}

}  // namespace qx4t::cli
