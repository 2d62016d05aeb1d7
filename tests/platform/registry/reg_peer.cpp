// Peer process for the registry tests; one command per input line, fields separated by "|",
// one answer line each. KEY is a key path below HKEY_CURRENT_USER.
//   setmany|KEY|PREFIX|COUNT -> DWORDs PREFIX0..PREFIX<COUNT-1> = their index, one write each;
//                               "ok" | "error CODE at INDEX"
//   set|KEY|NAME|TEXT        -> "ok" | "error CODE"
//   del|KEY|NAME             -> "ok" | "error CODE"
//   get|KEY|NAME             -> "value TEXT" | "missing"
//   exit
#include "platform/registry/Registry.h"

#include <iostream>
#include <string>
#include <vector>

using namespace torvane::registry;

namespace {

std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> out(1);
    for (const char c : line) {
        if (c == '|')
            out.emplace_back();
        else
            out.back() += c;
    }
    out.resize(4);
    return out;
}

std::string result(LONG rc)
{
    return rc == ERROR_SUCCESS ? "ok" : "error " + std::to_string(rc);
}

} // namespace

int main()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        const auto f = fields(line);
        const std::string& cmd = f[0];
        const std::string& key = f[1];
        std::string answer = "error unknown command";
        if (cmd == "setmany") {
            const int count = std::stoi(f[3]);
            answer = "ok";
            for (int i = 0; i < count; ++i) {
                const LONG rc = writeDword(HKEY_CURRENT_USER, key, f[2] + std::to_string(i), DWORD(i));
                if (rc != ERROR_SUCCESS) {
                    answer = "error " + std::to_string(rc) + " at " + std::to_string(i);
                    break;
                }
            }
        } else if (cmd == "set") {
            answer = result(writeString(HKEY_CURRENT_USER, key, f[2], f[3]));
        } else if (cmd == "del") {
            HKEY handle = nullptr;
            LONG rc = RegOpenKeyEx(HKEY_CURRENT_USER, key.c_str(), &handle);
            if (rc == ERROR_SUCCESS) {
                rc = RegDeleteValue(handle, f[2].c_str());
                RegCloseKey(handle);
            }
            answer = result(rc);
        } else if (cmd == "get") {
            const auto value = readString(HKEY_CURRENT_USER, key, f[2]);
            answer = value ? "value " + *value : "missing";
        } else if (cmd == "exit") {
            return 0;
        }
        std::cout << answer << std::endl;
    }
    return 0;
}
