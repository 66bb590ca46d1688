// Owns one reference to a GObject.
#pragma once

#include <glib-object.h>

#include <memory>

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};

template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;
