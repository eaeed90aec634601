// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/arguments.hpp"
#include "base/result.hpp"
#include "drawing/picture_edit.hpp"

#include <vector>

namespace lumivel::cli {

// The options that go with --image.
const std::vector<OptionRule>& imageOptionRules();

// Any of the image options is given.
bool usesImage(const Arguments& args);

// The picture of --image IMG by the import rule, with --threshold N (0..255, default 128)
// and --invert; an unreadable file is an Error naming it. --threshold or --invert without
// --image is a usage error.
Result<Picture> imagePicture(const Arguments& args);

} // namespace lumivel::cli
