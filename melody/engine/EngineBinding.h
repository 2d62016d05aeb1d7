// The engine library as the melody editor uses it: the two melody requests and the error
// report, bound to the library's exports.
#pragma once

#include "melody/document/ErrorReporter.h"
#include "melody/editing/PhoneEngine.h"

#include <memory>

class MelvioEngine : public PhoneEngine, public ErrorReporter {};

std::unique_ptr<MelvioEngine> MakeEngine();
