#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "models/ase_loader.h"
#include "support/message_capture.h"

namespace {
constexpr long MEBIBYTE = 1024;  // ru_maxrss counts KiB
constexpr uint64_t GIBIBYTE = uint64_t{1} << 30;

// What one load cost.
struct LoadCost {
    AseLoadResult result = AseLoadResult::Loaded;
    double milliseconds = 0.0;
    long peakGrowthKiB = 0;
};

long peakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Loads path in a child process of its own, so the peak memory it reports is
// this load's alone and not whatever the tests before it used.
LoadCost loadInFreshProcess(const std::string& path) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        ADD_FAILURE() << "no pipe";
        return {};
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        LoadCost cost;
        const long before = peakKiB();
        const auto start = std::chrono::steady_clock::now();
        Model model;
        cost.result = tryLoadAse(model, path);
        cost.milliseconds =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        cost.peakGrowthKiB = peakKiB() - before;
        const bool sent = write(pipeEnds[1], &cost, sizeof cost) == sizeof cost;
        _exit(sent ? 0 : 1);
    }
    close(pipeEnds[1]);
    LoadCost cost;
    const bool received = read(pipeEnds[0], &cost, sizeof cost) == sizeof cost;
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(received && WIFEXITED(status) && WEXITSTATUS(status) == 0) << path;
    return cost;
}

const char* describe(AseLoadResult result) {
    switch (result) {
        case AseLoadResult::Loaded:
            return "loaded";
        case AseLoadResult::Missing:
            return "missing";
        case AseLoadResult::Damaged:
            return "damaged";
    }
    return "?";
}

// Refused as expected, at once and with little memory; the figures are printed
// for the record.
void expectRefusedCheaply(const std::string& what, const std::string& path,
                          AseLoadResult expected) {
    const LoadCost cost = loadInFreshProcess(path);
    std::printf("[ figures  ] %-36s %-8s %9.2f ms  peak +%ld KiB\n", what.c_str(),
                describe(cost.result), cost.milliseconds, cost.peakGrowthKiB);
    EXPECT_EQ(cost.result, expected) << what;
    EXPECT_LT(cost.peakGrowthKiB, 100 * MEBIBYTE) << what;
    EXPECT_LT(cost.milliseconds, 5000.0)
        << what;  // loose: a read of the file would take far longer
}

class HostileModelFile : public testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("zentrix-hostile-model-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string path(const char* name) const { return (dir_ / name).string(); }

    // A file that starts with text and reaches size with a hole, which reads
    // as zero bytes (blanks to the reader) but takes no room on the disk.
    std::string sparseFile(const char* name, const std::string& text, uint64_t size) const {
        const std::string where = path(name);
        const int fd = open(where.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        EXPECT_GE(fd, 0) << where;
        EXPECT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
        EXPECT_EQ(ftruncate(fd, static_cast<off_t>(size)), 0) << where;
        close(fd);
        return where;
    }

    std::filesystem::path dir_;
};

const std::string CLAIMS_FIFTY_MILLION_VERTICES =
    "*3DSMAX_ASCIIEXPORT 200\n"
    "*MATERIAL_LIST {\n *MATERIAL_COUNT 1\n *MATERIAL 0 { *MATERIAL_DIFFUSE 1 1 1 }\n}\n"
    "*GEOMOBJECT {\n *MESH {\n  *MESH_NUMVERTEX 50000000\n  *MESH_NUMFACES 50000000\n"
    "  *MESH_VERTEX_LIST {\n   *MESH_VERTEX 0 1.0 2.0 3.0\n";

TEST_F(HostileModelFile, WhatIsNotAFileIsAMissingModelAndNeverBlocks) {
    ASSERT_EQ(mkfifo(path("fifo.ase").c_str(), 0600), 0);
    std::filesystem::create_directory(path("folder.ase"));
    std::filesystem::create_symlink(path("nowhere.ase"), path("dangling.ase"));

    // The game says so as it always has for a missing model, and ends. (Each
    // check of the exit comes first: its child reruns the test up to it.)
    const std::string fifo = path("fifo.ase");
    EXPECT_EXIT(
        {
            testsupport::MessageCapture capture;
            Model craft;
            craft.loadAse(fifo);
        },
        testing::ExitedWithCode(255), "The resource file .*fifo.ase does not exist");

    expectRefusedCheaply("FIFO without a writer", path("fifo.ase"), AseLoadResult::Missing);
    expectRefusedCheaply("directory", path("folder.ase"), AseLoadResult::Missing);
    expectRefusedCheaply("/dev/zero", "/dev/zero", AseLoadResult::Missing);
    expectRefusedCheaply("dangling link", path("dangling.ase"), AseLoadResult::Missing);
}

TEST_F(HostileModelFile, AFileTooLargeToReadIsDamagedWithoutBeingRead) {
    const std::string header = "*3DSMAX_ASCIIEXPORT 200\n*MATERIAL_LIST { *MATERIAL_COUNT 0 }\n";
    const std::string huge = sparseFile("huge.ase", header, 64 * GIBIBYTE);
    EXPECT_EXIT(
        {
            testsupport::MessageCapture capture;
            Model craft;
            craft.loadAse(huge);
        },
        testing::ExitedWithCode(255), "The resource file .*huge.ase is damaged");

    expectRefusedCheaply("sparse 4 GiB", sparseFile("four.ase", header, 4 * GIBIBYTE),
                         AseLoadResult::Damaged);
    expectRefusedCheaply("sparse 64 GiB", sparseFile("sixty-four.ase", header, 64 * GIBIBYTE),
                         AseLoadResult::Damaged);
    expectRefusedCheaply("one byte over the cap",
                         sparseFile("over.ase", header, TokenReader::MAX_TEXT_BYTES + uint64_t{1}),
                         AseLoadResult::Damaged);

    // The same text at the cap is read, and the blanks after it are no harm.
    Model model;
    EXPECT_EQ(tryLoadAse(model, sparseFile("at-cap.ase", header, TokenReader::MAX_TEXT_BYTES)),
              AseLoadResult::Loaded);
}

TEST_F(HostileModelFile, AModelClaimingFiftyMillionVerticesIsRefusedAtOnce) {
    const std::string small = sparseFile("small.ase", CLAIMS_FIFTY_MILLION_VERTICES,
                                         CLAIMS_FIFTY_MILLION_VERTICES.size());
    expectRefusedCheaply("50 million vertices in a small file", small, AseLoadResult::Damaged);
    // Fifty megabytes could never hold fifty million vertex lines either.
    expectRefusedCheaply("50 million vertices in 50 MB",
                         sparseFile("fifty.ase", CLAIMS_FIFTY_MILLION_VERTICES, 50'000'000),
                         AseLoadResult::Damaged);

    Model model;
    std::string reason;
    EXPECT_EQ(tryLoadAse(model, small, &reason), AseLoadResult::Damaged);
    EXPECT_NE(reason.find("*MESH_NUMVERTEX 50000000 cannot fit"), std::string::npos) << reason;
}

}  // namespace
