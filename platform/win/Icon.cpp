// Icons from icon-group resources: every image of the group, decoded once and kept for the
// life of the program, as shared icons are on Windows.
#include <map>
#include <utility>
#include <vector>

#include "platform/win/IconGroup.h"
#include "platform/win/WindowRecord.h"

struct Icon {
    GList* images = nullptr;  // GdkPixbuf*, largest last
};

namespace {

GdkPixbuf* DecodePng(const IconImage& image) {
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type("png", nullptr);
    if (!loader) return nullptr;
    GdkPixbuf* pixbuf = nullptr;
    if (gdk_pixbuf_loader_write(loader, image.png, image.pngSize, nullptr) &&
        gdk_pixbuf_loader_close(loader, nullptr))
        pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
    if (pixbuf)
        g_object_ref(pixbuf);
    else
        gdk_pixbuf_loader_close(loader, nullptr);
    g_object_unref(loader);
    return pixbuf;
}

}  // namespace

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
    static std::map<std::pair<HINSTANCE, LPCWSTR>, Icon*> loaded;
    if (auto it = loaded.find({instance, name}); it != loaded.end()) return it->second;
    HRSRC resource = FindResourceW(instance, name, MAKEINTRESOURCEW(RT_GROUP_ICON));
    const auto* group =
        static_cast<const IconGroup*>(LockResource(LoadResource(instance, resource)));
    if (!group) return nullptr;
    auto* icon = new Icon;
    for (std::size_t i = 0; i < group->imageCount; ++i)
        if (GdkPixbuf* pixbuf = DecodePng(group->images[i]))
            icon->images = g_list_append(icon->images, pixbuf);
    if (!icon->images) {
        delete icon;
        return nullptr;
    }
    loaded[{instance, name}] = icon;
    return icon;
}

GList* IconImages(HICON icon) {
    return icon ? icon->images : nullptr;
}
