// The inputs kept for the fuzz targets, run in the normal suite: the starting inputs, and every
// input that once made a target fail, so that a fixed fault stays fixed without a fuzzer.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "FuzzTarget.h"
#include "LinkFuzz.h"
#include "adjust/AdjustLink.h"
#include "link/ReadLink.h"
#include "link/WriteLink.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(FuzzCorpus, EveryTargetHasStartingInputs) {
    ASSERT_FALSE(nv::fuzz::targets().empty());
    for (const auto& [name, target] : nv::fuzz::targets()) {
        const fs::path folder = fs::path(NV742_FUZZ_CORPUS) / name;
        ASSERT_TRUE(fs::is_directory(folder)) << name;
        EXPECT_FALSE(fs::is_empty(folder)) << name;
    }
}

TEST(FuzzCorpus, EveryKeptInputRunsCleanly) {
    int runs = 0;
    for (const fs::directory_entry& folder : fs::directory_iterator(NV742_FUZZ_CORPUS)) {
        const std::string name = folder.path().filename().string();
        const auto target = nv::fuzz::targets().find(name);
        ASSERT_NE(target, nv::fuzz::targets().end()) << "inputs for no target: " << name;
        for (const fs::directory_entry& file : fs::directory_iterator(folder)) {
            SCOPED_TRACE(file.path().string());
            const std::vector<std::uint8_t> data = bytesOf(file.path());
            EXPECT_EQ(target->second(data.data(), data.size()), 0);
            ++runs;
        }
    }
    EXPECT_GT(runs, 0);
}

// The starting inputs of the link targets take a transfer to its end, so that fuzzing starts
// from every phase of it and not only from the handshake.
TEST(FuzzCorpus, LinkStartingInputsCompleteATransfer) {
    const fs::path corpus(NV742_FUZZ_CORPUS);
    {
        const auto data = bytesOf(corpus / "read_link" / "complete-read");
        nv::fuzz::Input input(data.data(), data.size());
        nv::fuzz::LinkRun<nv::ReadLink, nv::fuzz::ImageRule::FilledOnCompletion> run(input);
        run.run();
        EXPECT_EQ(run.completions(), 1);
        for (int a = 0; a < nv::VirtualRadio::MemorySize; ++a)
            ASSERT_EQ(run.state().RadioImage(a / 16, a % 16), run.radio().memory[a]) << a;
    }
    {
        const auto data = bytesOf(corpus / "write_link" / "complete-write");
        nv::fuzz::Input input(data.data(), data.size());
        nv::fuzz::LinkRun<nv::WriteLink, nv::fuzz::ImageRule::Untouched> run(input);
        run.run();
        EXPECT_EQ(run.completions(), 1);
        EXPECT_EQ(run.radio().writesStored, 49);
        for (int a = 0; a < 49 * 16; ++a)
            ASSERT_EQ(run.radio().memory[a], run.state().RadioImage(a / 16, a % 16) & 0xFF) << a;
    }
    {
        const auto data = bytesOf(corpus / "adjust_link" / "complete-read");
        nv::fuzz::Input input(data.data(), data.size());
        nv::fuzz::LinkRun<nv::AdjustLink, nv::fuzz::ImageRule::Adjustment> run(input);
        run.run();
        EXPECT_EQ(run.completions(), 1);
        for (int i = 0; i < 8 * 16; ++i)
            ASSERT_EQ(run.state().AdjustImage(i / 16, i % 16), run.radio().adjustArea[i]) << i;
    }
    {
        const auto data = bytesOf(corpus / "adjust_link" / "complete-write");
        nv::fuzz::Input input(data.data(), data.size());
        nv::fuzz::LinkRun<nv::AdjustLink, nv::fuzz::ImageRule::Adjustment> run(input);
        run.run();
        EXPECT_EQ(run.completions(), 1);
        for (int i = 0; i < nv::AdjustWriteBlocks * 16; ++i)
            ASSERT_EQ(run.radio().adjustArea[i], run.state().AdjustImage(i / 16, i % 16) & 0xFF)
                << i;
    }
}
