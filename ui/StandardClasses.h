#pragma once
// Registers the framework's own component classes for form descriptions.

void RegisterStandardClasses();
