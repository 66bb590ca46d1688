// The File menu's own commands: Exit and Internet options.
#include <glib/gstdio.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "mainwnd/MainWindowFixture.h"
#include "support/MainLoop.h"

namespace {

GtkWidget* FindMenuBar(GtkWidget* widget) {
    if (GTK_IS_MENU_BAR(widget)) return widget;
    if (!GTK_IS_CONTAINER(widget)) return nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    GtkWidget* found = nullptr;
    for (GList* l = children; l && !found; l = l->next) found = FindMenuBar(GTK_WIDGET(l->data));
    g_list_free(children);
    return found;
}

// Chooses File, <label> the way a click on the item does.
bool ChooseFileMenuItem(GtkWidget* window, const std::string& label) {
    GtkWidget* bar = FindMenuBar(window);
    if (!bar) return false;
    GList* top = gtk_container_get_children(GTK_CONTAINER(bar));
    GtkWidget* file = top ? gtk_menu_item_get_submenu(GTK_MENU_ITEM(top->data)) : nullptr;
    g_list_free(top);
    if (!file) return false;
    bool chosen = false;
    GList* items = gtk_container_get_children(GTK_CONTAINER(file));
    for (GList* l = items; l && !chosen; l = l->next) {
        if (label == gtk_menu_item_get_label(GTK_MENU_ITEM(l->data))) {
            gtk_menu_item_activate(GTK_MENU_ITEM(l->data));
            chosen = true;
        }
    }
    g_list_free(items);
    return chosen;
}

class ScopedPath {
public:
    explicit ScopedPath(const std::string& path) : m_saved(std::getenv("PATH")) {
        setenv("PATH", path.c_str(), 1);
    }
    ~ScopedPath() { setenv("PATH", m_saved.c_str(), 1); }

private:
    std::string m_saved;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST_F(MainWindowTest, ExitEndsTheProcessWithStatusZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            CCorvaneDlg dialog;
            RunDialog(dialog, [&](CCorvaneDlg& dlg) {
                ChooseFileMenuItem(TopLevel(dlg), "Exit");
                RunFor(5000);
            });
            std::exit(3);
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(MainWindowTest, InternetOptionsOpensTheNetworkSettingsEachTime) {
    char folder[] = "/tmp/veltrisk-tools-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string log = std::string(folder) + "/launches";
    const std::string tool = std::string(folder) + "/gnome-control-center";
    std::ofstream(tool) << "#!/bin/sh\necho \"$*\" >> " << log << "\n";
    ASSERT_EQ(chmod(tool.c_str(), 0755), 0);

    CCorvaneDlg dialog;
    RunDialog(dialog, [&](CCorvaneDlg& dlg) {
        ScopedPath path(std::string(folder) + ":/usr/bin:/bin");
        for (int i = 0; i < 2; ++i)
            ASSERT_TRUE(ChooseFileMenuItem(TopLevel(dlg), "Internet options"));
        EXPECT_TRUE(RunUntil([&] { return ReadFile(log) == "network\nnetwork\n"; }))
            << ReadFile(log);
    });
    g_remove(log.c_str());
    g_remove(tool.c_str());
    g_rmdir(folder);
}

TEST_F(MainWindowTest, InternetOptionsWithoutASettingsToolDoesNothing) {
    char folder[] = "/tmp/veltrisk-empty-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    CCorvaneDlg dialog;
    RunDialog(dialog, [&](CCorvaneDlg& dlg) {
        ScopedPath path(folder);
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(ChooseFileMenuItem(TopLevel(dlg), "Internet options"));
            RunFor(200);
            EXPECT_TRUE(IsWindowVisible(dlg.m_hWnd));
        }
    });
    g_rmdir(folder);
}
