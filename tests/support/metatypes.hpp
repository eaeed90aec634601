// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Types that data-driven tests put in QTest columns. Declared once here and included before
// a test's first use: a declaration after Qt has already instantiated its own metatype for
// the type does not compile.
#include "store/message_record.hpp"

#include <QMetaType>
#include <vector>

Q_DECLARE_METATYPE(std::vector<lumivel::tipomensaje>)
