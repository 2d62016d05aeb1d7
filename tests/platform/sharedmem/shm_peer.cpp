// Peer process for the shared memory and named mutex tests: holds at most one block and one
// mutex and obeys one command per input line, answering one line each.
//   attach NAME SIZE     -> "ok created" | "ok existing" | "error CODE"
//   put OFFSET TEXT      -> "ok"            get OFFSET LENGTH -> "data TEXT"
//   detach               -> "ok"
//   create NAME OWNED    -> "ok new" | "ok existed" | "error CODE"
//   open NAME            -> "ok" | "error CODE"
//   wait MS              -> "wait RESULT"   release -> "ok" | "error CODE"
//   close                -> "ok"            exit    -> ends the process
#include "platform/sharedmem/NamedMutex.h"
#include "platform/sharedmem/SharedBlock.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

using torvane::NamedMutex;
using torvane::SharedBlock;

int main()
{
    std::unique_ptr<SharedBlock> block;
    std::unique_ptr<NamedMutex> mutex;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string cmd;
        in >> cmd;
        std::string answer = "error unknown command";
        if (cmd == "attach") {
            std::string name;
            std::size_t size = 0;
            in >> name >> size;
            LONG err = 0;
            block = SharedBlock::attach(name, size, {}, &err);
            answer = block ? (block->created() ? "ok created" : "ok existing")
                           : "error " + std::to_string(err);
        } else if (cmd == "put" && block) {
            std::size_t offset = 0;
            std::string text;
            in >> offset >> text;
            std::memcpy(static_cast<char*>(block->data()) + offset, text.data(), text.size());
            answer = "ok";
        } else if (cmd == "get" && block) {
            std::size_t offset = 0;
            std::size_t length = 0;
            in >> offset >> length;
            answer = "data " + std::string(static_cast<const char*>(block->data()) + offset, length);
        } else if (cmd == "detach") {
            block.reset();
            answer = "ok";
        } else if (cmd == "create") {
            std::string name;
            int owned = 0;
            in >> name >> owned;
            bool existed = false;
            LONG err = 0;
            mutex = NamedMutex::create(name, owned != 0, &existed, &err);
            answer = mutex ? (existed ? "ok existed" : "ok new") : "error " + std::to_string(err);
        } else if (cmd == "open") {
            std::string name;
            in >> name;
            LONG err = 0;
            mutex = NamedMutex::open(name, &err);
            answer = mutex ? "ok" : "error " + std::to_string(err);
        } else if (cmd == "wait" && mutex) {
            unsigned long ms = 0;
            in >> ms;
            answer = "wait " + std::to_string(mutex->wait(DWORD(ms)));
        } else if (cmd == "release" && mutex) {
            LONG err = 0;
            answer = mutex->release(&err) ? "ok" : "error " + std::to_string(err);
        } else if (cmd == "close") {
            mutex.reset();
            answer = "ok";
        } else if (cmd == "exit") {
            return 0;
        }
        std::cout << answer << std::endl;
    }
    return 0;
}
