#include "sim_test_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

using namespace simtest;

namespace {

struct ToolRun {
    int status;
    std::string err;
};

ToolRun runTool(const std::string &arguments)
{
    const std::string errPath = ::testing::TempDir() + "korvane-sim-tool-stderr.txt";
    const int raw = std::system((std::string(KORVANE_WFS_MKDISK) + " " + arguments + " 2>" + errPath).c_str());
    std::ifstream in(errPath);
    std::stringstream err;
    err << in.rdbuf();
    std::remove(errPath.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, err.str()};
}

} // namespace

TEST(Tool, WritesTheExampleScenarioAndSummarisesOnOneLine)
{
    ImageFile f("tool-example");
    const ToolRun r = runTool(std::string("--seed 9 ") + KORVANE_EXAMPLE_SCENARIO + " " + f.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find("5 recording(s)"), std::string::npos) << r.err;
    Image img(f.path());
    EXPECT_EQ(img.base(), 2048u);
}

TEST(Tool, MetadataOnlyOption)
{
    ImageFile a("tool-meta"), b("tool-full");
    ASSERT_EQ(runTool(std::string("--metadata-only ") + KORVANE_EXAMPLE_SCENARIO + " " + a.path()).status, 0);
    ASSERT_EQ(runTool(std::string(KORVANE_EXAMPLE_SCENARIO) + " " + b.path()).status, 0);
    Image meta(a.path()), full(b.path());
    const Pdp d = full.pdp(0);
    const auto c = meta.cluster(0, d.revClus, 8);
    EXPECT_TRUE(std::all_of(c.begin(), c.end(), [](uint8_t x) { return x == 0; }));
    EXPECT_NE(full.cluster(0, d.revClus, 8), c);
}

TEST(Tool, DemoDisk)
{
    ImageFile f("tool-demo");
    const ToolRun r = runTool("--demo " + f.path());
    ASSERT_EQ(r.status, 0) << r.err;
    Image img(f.path());
    EXPECT_EQ(img.pdp(0).mark, 0x789ABCDEu);
    EXPECT_EQ(img.pdp(1).mark, 0x789ABCDEu);
    EXPECT_NE(img.pdp(1).currentCluster, 0u);
}

TEST(Tool, BadUseFailsWithAMessage)
{
    ImageFile f("tool-bad");
    EXPECT_NE(runTool("").status, 0);
    EXPECT_NE(runTool("--seed x --demo " + f.path()).status, 0);
    const ToolRun missing = runTool("/nonexistent.json " + f.path());
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.err.find("/nonexistent.json"), std::string::npos);
}
