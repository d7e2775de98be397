#pragma once
// The program's icon for its windows, read from its BMP resource through the picture model.

#include <QIcon>

QIcon ProgramIcon();
