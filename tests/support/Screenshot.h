// Screenshots of what a user would see, written to the test output folder.
#pragma once

#include <gtk/gtk.h>

#include <string>

// Writes the widget's window as <TestOutputDir()>/<name>.png; false when there was nothing to
// capture or the file could not be written.
bool SaveWidgetShot(GtkWidget* widget, const std::string& name);
