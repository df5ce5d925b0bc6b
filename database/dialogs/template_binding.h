// The template language as the designer runs it: field reads go to the template database
// readers, errors to a message box, output files to the desktop's opener, and the record the
// record browser shows is the one a "R^.." block reads.
#pragma once

// Binds the record fill's script runner to the template language.
void InstallTemplateRunner();
