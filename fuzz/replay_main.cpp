// Replay driver for fuzz targets in builds without libFuzzer: feeds every file of the seed
// corpus to the target, then a fixed, reproducible series of mutations of those seeds
// (bit flips, truncations, insertions of boundary bytes, random bytes), so the parsers meet
// hostile input in every test run. A crash or sanitizer report fails the test.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::vector<uint8_t>> loadSeeds(const char* folder)
{
    std::vector<std::vector<uint8_t>> seeds;
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        return seeds;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        std::ifstream in(path, std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return seeds;
}

void run(const std::vector<uint8_t>& input)
{
    // Copy into an exact-size heap block so AddressSanitizer sees any read past the end.
    std::vector<uint8_t> exact(input);
    LLVMFuzzerTestOneInput(exact.empty() ? nullptr : exact.data(), exact.size());
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::vector<uint8_t>> seeds;
    for (int i = 1; i < argc; ++i) {
        auto more = loadSeeds(argv[i]);
        seeds.insert(seeds.end(), more.begin(), more.end());
    }
    seeds.push_back({});

    std::mt19937 rng(12345);
    const char* env = std::getenv("TORVANE_FUZZ_ROUNDS");
    const int rounds = env ? std::atoi(env) : 2000;
    static const uint8_t boundary[] = {0x00, 0x01, 0x0a, 0x0d, 0x1a, 0x1b, 0x22, 0x2c, 0x3b, 0x3e,
                                       0x5c, 0x7f, 0x80, 0xfe, 0xff};

    for (const auto& seed : seeds)
        run(seed);
    for (int round = 0; round < rounds; ++round) {
        std::vector<uint8_t> input = seeds[rng() % seeds.size()];
        const int edits = 1 + int(rng() % 8);
        for (int e = 0; e < edits; ++e) {
            switch (rng() % 6) {
            case 0:
                if (!input.empty())
                    input[rng() % input.size()] ^= uint8_t(1u << (rng() % 8));
                break;
            case 1:
                if (!input.empty())
                    input.resize(rng() % input.size());
                break;
            case 2:
                input.insert(input.begin() + (input.empty() ? 0 : rng() % (input.size() + 1)),
                             boundary[rng() % sizeof boundary]);
                break;
            case 3:
                if (!input.empty())
                    input[rng() % input.size()] = uint8_t(rng());
                break;
            case 4: {
                if (input.size() < 2)
                    break;
                const size_t from = rng() % input.size();
                const size_t len = 1 + rng() % (input.size() - from);
                std::vector<uint8_t> chunk(input.begin() + from, input.begin() + from + len);
                input.insert(input.begin() + (rng() % (input.size() + 1)), chunk.begin(), chunk.end());
                break;
            }
            default:
                for (int n = int(rng() % 16); n > 0; --n)
                    input.push_back(uint8_t(rng()));
                break;
            }
        }
        run(input);
    }
    std::printf("replayed %zu seeds and %d mutations\n", seeds.size(), rounds);
    return 0;
}
