// Readable Qt strings in test failure messages.
#pragma once

#include <QByteArray>
#include <QString>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QByteArray& b, std::ostream* os)
{
    *os << '"';
    for (char c : b) {
        if (c == '\r')
            *os << "\\r";
        else if (c == '\n')
            *os << "\\n";
        else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f)
            *os << "\\x" << std::hex << (static_cast<unsigned>(c) & 0xff) << std::dec;
        else
            *os << c;
    }
    *os << '"';
}
QT_END_NAMESPACE
