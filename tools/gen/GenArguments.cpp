#include "GenArguments.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace tk3d::gen {

const char* const kGenUsage =
    "Usage:\n"
    "  tk3d-gen demo -o FILE.tkl\n"
    "  tk3d-gen random -o FILE.tkl [--pieces N] [--seed N] [--curves S] [--turnouts S]\n"
    "                  [--crossings S] [--slopes S] [--layers N] [--labels S] [--blocks S]\n"
    "                  [--no-ties] [--no-ballast]\n"
    "Shares S lie between 0 and 1; curves, turnouts and crossings are shares of all\n"
    "pieces (the rest are straights), slopes of the straights and curves, labels of\n"
    "all pieces, blocks of the runs of track. Defaults: 500 pieces, seed 1, curves\n"
    "0.35, turnouts 0.08, crossings 0.02, slopes 0.1, 1 layer, labels 0.2, blocks 0.\n"
    "The same arguments always write the same bytes.\n";

namespace {

template <class T>
bool ParseNumber(std::string_view s, T& out) {
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

bool ParseShare(std::string_view s, double& out) { return ParseNumber(s, out) && std::isfinite(out); }

}  // namespace

std::string ParseGenArguments(int argc, char** argv, TGenArguments& out) {
    if (argc < 1) return "no command";
    const std::string_view command = argv[0];
    if (command == "demo")
        out.Command = TGenArguments::TCommand::Demo;
    else if (command == "random")
        out.Command = TGenArguments::TCommand::Random;
    else
        return "unknown command " + std::string(command);

    TRandomLayoutParams& p = out.Random;
    const bool random = out.Command == TGenArguments::TCommand::Random;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        const bool hasValue = i + 1 < argc;
        const std::string_view value = hasValue ? argv[i + 1] : "";
        bool ok = true;
        if (a == "-o" || a == "--output") {
            out.Output = value;
            ok = hasValue && !value.empty();
        } else if (random && a == "--pieces") {
            ok = ParseNumber(value, p.Pieces);
        } else if (random && a == "--seed") {
            ok = ParseNumber(value, p.Seed);
        } else if (random && a == "--layers") {
            ok = ParseNumber(value, p.Layers);
        } else if (random && a == "--curves") {
            ok = ParseShare(value, p.Curves);
        } else if (random && a == "--turnouts") {
            ok = ParseShare(value, p.Turnouts);
        } else if (random && a == "--crossings") {
            ok = ParseShare(value, p.Crossings);
        } else if (random && a == "--slopes") {
            ok = ParseShare(value, p.Slopes);
        } else if (random && a == "--labels") {
            ok = ParseShare(value, p.Labels);
        } else if (random && a == "--blocks") {
            ok = ParseShare(value, p.Blocks);
        } else if (random && a == "--no-ties") {
            p.ShowTies = false;
            continue;
        } else if (random && a == "--no-ballast") {
            p.ShowBallast = false;
            continue;
        } else {
            return "unknown option " + std::string(a);
        }
        if (!ok) return std::string(a) + " needs a " + (a == "-o" ? "file name" : "number");
        ++i;
    }
    if (out.Output.empty()) return "no output file (-o FILE.tkl)";
    return random ? CheckParams(p) : std::string();
}

}  // namespace tk3d::gen
