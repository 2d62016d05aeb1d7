#include "MidicsvCheck.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

std::filesystem::path TempFolder()
{
    if (const char* tmp = std::getenv("TORVANE_TEST_TMP"))
        return tmp;
    return std::filesystem::temp_directory_path();
}

// Each row of midicsv's output as its comma-separated fields, blanks after commas dropped.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        std::string cell;
        while (std::getline(cells, cell, ',')) {
            const auto first = cell.find_first_not_of(' ');
            fields.push_back(first == std::string::npos ? std::string() : cell.substr(first));
        }
        rows.push_back(fields);
    }
    return rows;
}

std::string Row(const std::vector<std::string>& fields)
{
    std::string row;
    for (const auto& f : fields)
        row += (row.empty() ? "" : ", ") + f;
    return row;
}

} // namespace

::testing::AssertionResult MidicsvReads(std::span<const std::uint8_t> file,
                                        const std::vector<NoteEntry>& notes, int beatsPerMinute)
{
    std::string path = (TempFolder() / "melody-XXXXXX.mid").string();
    const int fd = mkstemps(path.data(), 4);
    if (fd < 0)
        return ::testing::AssertionFailure() << "no temporary file in " << TempFolder();
    const bool written = write(fd, file.data(), file.size()) == static_cast<ssize_t>(file.size());
    close(fd);
    if (!written)
        return ::testing::AssertionFailure() << "cannot write " << path;

    std::string output;
    FILE* pipe = popen(("midicsv '" + path + "' 2>&1").c_str(), "r");
    if (!pipe)
        return ::testing::AssertionFailure() << "cannot run midicsv";
    char chunk[4096];
    for (size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;)
        output.append(chunk, n);
    const int status = pclose(pipe);
    std::filesystem::remove(path);
    if (status != 0)
        return ::testing::AssertionFailure() << "midicsv failed (" << status << "):\n" << output;

    // What an independent reading of the melody must show, built from the notes alone.
    static const int lengths[] = {384, 192, 96, 48, 24, 12};
    std::vector<std::string> expected{
        Row({"0", "0", "Header", "0", "1", "96"}),
        Row({"1", "0", "Start_track"}),
        Row({"1", "0", "Tempo", std::to_string(60000000 / beatsPerMinute)}),
    };
    long time = 0;
    for (const NoteEntry& note : notes) {
        const int ticks = note.dotted ? lengths[note.duration] * 3 / 2 : lengths[note.duration];
        const std::string t0 = std::to_string(time);
        const std::string t1 = std::to_string(time + ticks);
        if (note.pitch == 0) {
            expected.push_back(Row({"1", t0, "Note_off_c", "0", "48", "0"}));
            expected.push_back(Row({"1", t1, "Note_off_c", "0", "48", "0"}));
        } else {
            const std::string key = std::to_string(note.pitch);
            expected.push_back(Row({"1", t0, "Note_on_c", "0", key, "96"}));
            expected.push_back(Row({"1", t1, "Note_off_c", "0", key, "96"}));
        }
        time += ticks;
    }
    expected.push_back(Row({"1", std::to_string(time), "End_track"}));
    expected.push_back(Row({"0", "0", "End_of_file"}));

    std::vector<std::string> seen;
    for (const auto& fields : ParseCsv(output))
        seen.push_back(Row(fields));
    if (seen != expected) {
        std::string want;
        for (const auto& r : expected)
            want += r + "\n";
        return ::testing::AssertionFailure() << "midicsv read:\n" << output << "expected:\n" << want;
    }
    return ::testing::AssertionSuccess();
}
