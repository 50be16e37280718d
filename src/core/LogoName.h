// The rule for logo names. A logo's name is at once the title of its slot
// and the base name of its logo wad file in the program directory, so it
// must fit the 15 characters of a title and be a plain file name there.
#pragma once

#include <QString>

#include <functional>

namespace logoimport {

// The longest name a slot title holds.
constexpr int kMaxLogoName = 15;

// The message that tells the user why `name` cannot name a logo, or an empty
// string when it can. Spaces are left to the caller.
QString logoNameProblem(const QString& name);

// `wanted` made to fit the rule without asking: spaces and characters the
// rule refuses become "_", the name is cut to kMaxLogoName characters, an
// empty one becomes "logo", and while `taken` says the name is used a
// number is added ("name_2", "name_3", ...), the name cut to leave room.
QString fitLogoName(const QString& wanted, const std::function<bool(const QString&)>& taken);

} // namespace logoimport
