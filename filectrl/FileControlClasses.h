#pragma once
// Registers the browser controls for form descriptions: TDriveComboBox, TDirectoryListBox,
// TFileListBox and TFilterComboBox with their own properties (DirList, FileList, Mask,
// FileType, Filter, ItemHeight, TextCase, ShowGlyphs, OnChange).

void RegisterFileControlClasses();
