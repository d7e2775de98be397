#pragma once
// The form descriptions of the program's three windows.

#include "ui/FormDescription.h"

const TFormDescription& Form1Description();
const TFormDescription& Form2Description();
const TFormDescription& Form3Description();
