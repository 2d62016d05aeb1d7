#include "mainprog/core/CfgPage2Model.h"

#include "mainprog/core/SuiteSettings.h"

namespace corvant {

namespace {

constexpr int kAllDirectories = 127;

} // namespace

int directoryMask(const std::array<bool, PHONEBOOK_DIRECTORIES>& directories)
{
    int mask = 0;
    for (int bit = 0; bit < PHONEBOOK_DIRECTORIES; ++bit)
        if (directories[bit])
            mask |= 1 << bit;
    return mask;
}

CfgPage2Values CfgPage2Model::load() const
{
    CfgPage2Values values;
    const UINT mask = profile_.GetProfileInt(section::Page2, value::Phonebooks, kAllDirectories);
    for (int bit = 0; bit < PHONEBOOK_DIRECTORIES; ++bit)
        values.directories[bit] = (mask >> bit) & 1u;
    values.autoload = profile_.GetProfileInt(section::Page2, value::Autoload, 0) != 0;
    values.showCorrection = profile_.GetProfileInt(section::Page2, value::ShowCorrection, 1) != 0;
    return values;
}

void CfgPage2Model::apply(const CfgPage2Values& values)
{
    profile_.WriteProfileInt(section::Page2, value::Phonebooks, directoryMask(values.directories));
    profile_.WriteProfileInt(section::Page2, value::Autoload, values.autoload ? 1 : 0);
    profile_.WriteProfileInt(section::Page2, value::ShowCorrection, values.showCorrection ? 1 : 0);
}

} // namespace corvant
