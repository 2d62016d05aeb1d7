#include "phonebook/model/PhonebookResult.h"

#include "phonebook/model/GsmName.h"

#include <algorithm>
#include <cstring>

namespace brevik {

namespace {

// The field's text up to its first zero byte.
std::string fieldText(const unsigned char* field, int length)
{
    const auto* begin = reinterpret_cast<const char*>(field);
    const void* zero = length > 0 ? std::memchr(begin, 0, std::size_t(length)) : nullptr;
    const std::size_t n = zero ? std::size_t(static_cast<const char*>(zero) - begin) : std::size_t(std::max(length, 0));
    return std::string(begin, n);
}

} // namespace

void DecodePhonebookResult(const PBResult& result, PhoneDirectory& block)
{
    block.clearSlots();
    const int textLength = std::clamp(result.textLength, 0, ZEL_PB_AREA_SIZE);
    const int numberLength = std::clamp(result.numberLength, 0, ZEL_PB_AREA_SIZE);
    block.nameLength = textLength;
    block.numberLength = numberLength;
    block.maxIndex = std::clamp(result.highestIndex, 0, kBlockSlots);
    if (!result.entries)
        return;

    const int stride = 2 + textLength + numberLength;
    const int fit = ZEL_PB_AREA_SIZE / stride;
    const int taken = std::min({std::max(result.count, 0), fit, kBlockSlots});
    for (int k = 0; k < taken; ++k) {
        const unsigned char* packed = result.entries + std::size_t(k) * std::size_t(stride);
        PhoneBookEntry& entry = block.entries[std::size_t(k)];
        entry.index = (packed[0] | (packed[1] << 8)) & 0x7FFF;
        std::string name = PhonebookNameFromGsm(fieldText(packed + 2, textLength));
        entry.number = fieldText(packed + 2 + textLength, numberLength);
        const std::size_t mark = name.find('!');
        if (mark != std::string::npos && mark > 0) {
            entry.status = "!";
            name.resize(mark);
        } else {
            entry.status = " ";
        }
        entry.name = std::move(name);
        entry.state = ENTRY_UNCHANGED;
    }
    block.count = taken;
}

} // namespace brevik
