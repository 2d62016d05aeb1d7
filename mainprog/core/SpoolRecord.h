// The small records the SMS gateway keeps of its own work in the spool (what was sent of a file,
// the parts of a message being received): lines of "name value", texts as "name length" followed
// by exactly that many bytes, the whole closed by a check sum line. A record cut short or changed
// on the disk fails its check and is not taken for what it says.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvant::spool {

// FNV-1a over bytes, continuing from `hash`.
std::uint64_t fnv1a64(std::string_view bytes, std::uint64_t hash = 14695981039346656037ull);
std::uint32_t fnv1a32(std::string_view bytes);

class RecordWriter {
public:
    explicit RecordWriter(std::string_view kind);
    // width: at least that many digits, led by zeros (a field whose length must not change).
    void number(std::string_view name, long long value, int width = 0);
    void hex(std::string_view name, std::uint64_t value);
    void bytes(std::string_view name, std::string_view value);
    // The record with its check sum line.
    std::string finish();

private:
    std::string m_text;
};

// Reads the fields in the order they were written. Every call after the first failure fails.
class RecordReader {
public:
    RecordReader(std::string_view record, std::string_view kind);

    bool ok() const { return m_why.empty(); }
    // Why the record was refused; empty while it is fine.
    const std::string& why() const { return m_why; }

    bool number(std::string_view name, long long min, long long max, long long& out);
    bool hex(std::string_view name, std::uint64_t& out);
    bool bytes(std::string_view name, std::size_t maxLength, std::string& out);
    // The next field is called name (nothing is read).
    bool next(std::string_view name) const;
    // Every field was read.
    bool end();

private:
    bool fail(std::string why);
    bool value(std::string_view name, std::string_view& out);

    std::string_view m_rest; // the fields not read yet, without the check line
    std::string m_why;
};

} // namespace corvant::spool
