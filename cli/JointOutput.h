// What weldcheck prints for one joint: the frame's result rows, or one JSON object.
#pragma once

#include "JointRun.h"
#include "LeastLength.h"

#include <QByteArray>
#include <QString>

// The long option of each input box, without its dashes ("load", "eccentricity", …).
QString optionName(InputBox box);

// Where an error came from, as a person reads it: the option of the box ("--rwf") or the result
// whose arithmetic failed ("sigma").
QString errorSource(const JointError &error);

// One line per result with the frame's caption, symbol and unit, the warnings, the verdict as
// the report's lines 58 and 60, the proposal and the least length. Nothing after an error.
QString resultLines(const JointResult &joint, const LeastLength &least);

// One JSON object: the inputs as given, every result as stored and as shown, the verdict, the
// warnings, the proposal, the least length and the error (null when there is none).
QByteArray resultJson(const JointInputs &inputs, const JointResult &joint, const std::optional<LeastLength> &least);
