#include "bench/support/PrivateFolders.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace benchsupport {

int runBenchmarksPrivately(int argc, char** argv, const char* marker)
{
    const char* folder = std::getenv(marker);
    if (!folder) {
        char made[] = "/tmp/torvane-bench-XXXXXX";
        if (!mkdtemp(made)) {
            std::perror("mkdtemp");
            return 2;
        }
        const std::string config = std::string(made) + "/config";
        const std::string runtime = std::string(made) + "/runtime";
        std::filesystem::create_directories(config);
        std::filesystem::create_directories(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        setenv(marker, made, 1);
        execv("/proc/self/exe", argv);
        std::perror("execv");
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}

} // namespace benchsupport
