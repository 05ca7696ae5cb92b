#pragma once

// What the report windows keep between showings, forgotten: each test
// function starts as the program's first run does.

#include "preview/user_settings.h"

#include <QFile>

inline void ForgetKeptSettings()
{
    QFile::remove(user_settings::SettingsFile());
}
