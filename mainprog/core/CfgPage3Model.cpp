#include "mainprog/core/CfgPage3Model.h"

#include "mainprog/core/SuiteSettings.h"

namespace corvant {

std::string CfgPage3Model::load() const
{
    return configuredPort(profile_);
}

void CfgPage3Model::apply(const std::string& port)
{
    profile_.WriteProfileString(section::Settings, value::ComPort, port);
}

} // namespace corvant
