// Whether libical's writing of a component still says what the file said.
//
// libical writes a component it read in its own form: folds, the case of names, the order and
// quoting of parameters, a VALUE parameter that names the default, text escapes, numbers,
// durations and rules in their shortest spelling, one property per value of CATEGORIES,
// RESOURCES, RDATE, EXDATE and FREEBUSY, the alarms after the properties. None of that changes
// what a calendar program reads. What does - a parameter dropped, a value cut short or split,
// an escape turned into a blank - is what this finds. A property of empty text says nothing and
// counts as absent: libical does not read one at all.
#pragma once

#include <QByteArray>

namespace torvane::outlook {

// The name of the first property (or inner component) of original that rendered does not
// keep; empty when rendered keeps them all. Both texts hold one component.
QByteArray firstLostProperty(const QByteArray& original, const QByteArray& rendered);

// The text of a component as libical should read it: without properties of empty text, which
// libical notes as lines it cannot read.
QByteArray withoutEmptyTexts(const QByteArray& component);

} // namespace torvane::outlook
