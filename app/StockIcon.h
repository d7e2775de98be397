#pragma once
// The program's own icon as the platform's application stock icon, which an icon file of
// type 0 stands for.

void InstallStockIcon();
