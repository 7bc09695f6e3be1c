// wfs-mkdisk: writes a WFS disk image the way a video recorder would.

#include "builtin_scenarios.h"
#include "scenario_json.h"
#include "simulator.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace korvane::sim;

namespace {

struct Options {
    std::string scenarioPath;
    std::string imagePath;
    uint64_t seed = 0;
    bool seedGiven = false;
    bool metadataOnly = false;
    bool demo = false;
    bool bench = false;
};

void usage()
{
    std::fprintf(stderr, "usage: wfs-mkdisk [--seed N] [--metadata-only] SCENARIO.json IMAGE\n"
                         "       wfs-mkdisk [--seed N] --demo IMAGE\n"
                         "       wfs-mkdisk [--seed N] --bench-2tib IMAGE\n");
}

bool parseSeed(const char *text, uint64_t &out)
{
    char *end = nullptr;
    errno = 0;
    out = std::strtoull(text, &end, 0);
    return errno == 0 && end && *end == '\0' && *text != '-';
}

bool parseArguments(int argc, char **argv, Options &o)
{
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--seed" && i + 1 < argc) {
            if (!parseSeed(argv[++i], o.seed))
                return false;
            o.seedGiven = true;
        } else if (a == "--metadata-only")
            o.metadataOnly = true;
        else if (a == "--demo")
            o.demo = true;
        else if (a == "--bench-2tib")
            o.bench = true;
        else if (!a.empty() && a[0] == '-')
            return false;
        else
            positional.push_back(a);
    }
    if (o.demo && o.bench)
        return false;
    if (o.demo || o.bench) {
        if (positional.size() != 1)
            return false;
        o.imagePath = positional[0];
        return true;
    }
    if (positional.size() != 2)
        return false;
    o.scenarioPath = positional[0];
    o.imagePath = positional[1];
    return true;
}

bool loadScenario(const Options &o, Scenario &s, std::string &error)
{
    const uint64_t seed = o.seedGiven ? o.seed : 1;
    if (o.demo)
        s = demoScenario(seed);
    else if (o.bench)
        s = bench2TibScenario(seed);
    else if (!loadScenarioFile(o.scenarioPath, s, error))
        return false;
    if (o.seedGiven)
        s.seed = o.seed;
    return true;
}

void printSummary(const Options &o, const Manifest &m, double seconds)
{
    size_t survived = 0, overwritten = 0, open = 0;
    for (const RecordingResult &r : m.recordings)
        (r.state == RecordingState::Survived ? survived : r.state == RecordingState::Open ? open : overwritten)++;
    const double mib = double(m.imageSectors) / 2048;
    const bool large = mib >= 10240;
    std::fprintf(stderr,
                 "wfs-mkdisk: %s: %.1f %s, %zu partition(s), %zu recording(s) (%zu kept, %zu overwritten, "
                 "%zu open), %zu to recover%s in %.1f s\n",
                 o.imagePath.c_str(), large ? mib / 1024 : mib, large ? "GiB" : "MiB", m.partitions.size(),
                 m.recordings.size(), survived, overwritten, open, m.fragments.size(),
                 o.metadataOnly ? ", metadata only" : "", seconds);
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!parseArguments(argc, argv, options)) {
        usage();
        return 2;
    }
    options.metadataOnly = options.metadataOnly || options.bench;
    Scenario scenario;
    std::string error;
    if (!loadScenario(options, scenario, error)) {
        std::fprintf(stderr, "wfs-mkdisk: %s\n", error.c_str());
        return 1;
    }
    const auto started = std::chrono::steady_clock::now();
    Manifest manifest;
    WriteOptions writeOptions;
    writeOptions.metadataOnly = options.metadataOnly;
    const Result result = writeDisk(scenario, options.imagePath, writeOptions, &manifest);
    if (!result) {
        std::fprintf(stderr, "wfs-mkdisk: %s\n", result.message.c_str());
        return 1;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    printSummary(options, manifest, took.count());
    return 0;
}
