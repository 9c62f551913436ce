// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace anemora {

// Where Params.ini, WxAlarms.ini and Aprserve.txt live. A copy of the program
// in a folder of its own keeps them beside the executable; an installed one,
// whose folder the user cannot write, keeps them in `userConfigDir` instead,
// seeded there with the server list shipped beside the executable.
QString SettingsDirectory(const QString &appDir, bool appDirWritable, const QString &userConfigDir);

} // namespace anemora
