#include "mainprog/core/SpoolRecord.h"

#include <cstdio>

namespace corvant::spool {

namespace {

constexpr std::string_view kCheck = "check ";
constexpr std::size_t kCheckLine = kCheck.size() + 8 + 1; // "check " 8 hex digits, LF
constexpr std::string_view kVersion = " 1\n";

std::string hexText(std::uint64_t value, int digits)
{
    char text[20];
    std::snprintf(text, sizeof text, "%0*llx", digits, static_cast<unsigned long long>(value));
    return text;
}

bool readHex(std::string_view text, std::uint64_t& out)
{
    if (text.empty() || text.size() > 16)
        return false;
    out = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return false;
        out = out * 16 + static_cast<unsigned>(digit);
    }
    return true;
}

// Plain decimal: an optional minus and at most 18 digits, nothing else.
bool readDecimal(std::string_view text, long long& out)
{
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty() || text.size() > 18)
        return false;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    out = negative ? -value : value;
    return true;
}

} // namespace

std::uint64_t fnv1a64(std::string_view bytes, std::uint64_t hash)
{
    for (unsigned char c : bytes)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

std::uint32_t fnv1a32(std::string_view bytes)
{
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : bytes)
        hash = (hash ^ c) * 16777619u;
    return hash;
}

RecordWriter::RecordWriter(std::string_view kind) : m_text(kind)
{
    m_text += kVersion;
}

void RecordWriter::number(std::string_view name, long long value, int width)
{
    char digits[32];
    std::snprintf(digits, sizeof digits, "%0*lld", width, value);
    m_text.append(name).append(" ").append(digits).append("\n");
}

void RecordWriter::hex(std::string_view name, std::uint64_t value)
{
    m_text.append(name).append(" ").append(hexText(value, 16)).append("\n");
}

void RecordWriter::bytes(std::string_view name, std::string_view value)
{
    number(name, static_cast<long long>(value.size()));
    m_text.append(value).append("\n");
}

std::string RecordWriter::finish()
{
    return m_text + std::string(kCheck) + hexText(fnv1a32(m_text), 8) + "\n";
}

RecordReader::RecordReader(std::string_view record, std::string_view kind)
{
    if (record.size() < kCheckLine) {
        fail("too short");
        return;
    }
    const std::string_view body = record.substr(0, record.size() - kCheckLine);
    const std::string_view check = record.substr(body.size());
    std::uint64_t sum = 0;
    if (check.substr(0, kCheck.size()) != kCheck || check.back() != '\n' ||
        !readHex(check.substr(kCheck.size(), 8), sum)) {
        fail("no check sum at its end");
        return;
    }
    if (sum != fnv1a32(body)) {
        fail("check sum does not match");
        return;
    }
    if (body.substr(0, kind.size()) != kind || body.substr(kind.size(), kVersion.size()) != kVersion) {
        fail("not a record of this kind and version");
        return;
    }
    m_rest = body.substr(kind.size() + kVersion.size());
}

bool RecordReader::fail(std::string why)
{
    if (m_why.empty())
        m_why = std::move(why);
    return false;
}

bool RecordReader::value(std::string_view name, std::string_view& out)
{
    if (!ok())
        return false;
    const std::size_t lineEnd = m_rest.find('\n');
    if (!next(name) || lineEnd == std::string_view::npos)
        return fail("no field " + std::string(name));
    out = m_rest.substr(name.size() + 1, lineEnd - name.size() - 1);
    m_rest.remove_prefix(lineEnd + 1);
    return true;
}

bool RecordReader::next(std::string_view name) const
{
    return ok() && m_rest.size() > name.size() && m_rest.substr(0, name.size()) == name && m_rest[name.size()] == ' ';
}

bool RecordReader::number(std::string_view name, long long min, long long max, long long& out)
{
    std::string_view text;
    if (!value(name, text))
        return false;
    if (!readDecimal(text, out) || out < min || out > max)
        return fail("field " + std::string(name) + " out of range");
    return true;
}

bool RecordReader::hex(std::string_view name, std::uint64_t& out)
{
    std::string_view text;
    if (!value(name, text))
        return false;
    if (text.size() != 16 || !readHex(text, out))
        return fail("field " + std::string(name) + " is not 16 hex digits");
    return true;
}

bool RecordReader::bytes(std::string_view name, std::size_t maxLength, std::string& out)
{
    long long length = 0;
    if (!number(name, 0, static_cast<long long>(maxLength), length))
        return false;
    const std::size_t n = static_cast<std::size_t>(length);
    if (m_rest.size() < n + 1 || m_rest[n] != '\n')
        return fail("field " + std::string(name) + " cut short");
    out.assign(m_rest.substr(0, n));
    m_rest.remove_prefix(n + 1);
    return true;
}

bool RecordReader::end()
{
    if (ok() && !m_rest.empty())
        return fail("unknown fields at its end");
    return ok();
}

} // namespace corvant::spool
