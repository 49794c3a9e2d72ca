#include "shell/help_shortcuts.h"

#include "shell/command_table.h"
#include "shell/frame_layout.h"
#include "shell/help_contents.h"

namespace kalvora {
namespace {

void AppendMenuKeys(MenuId id, const std::string& path, std::string& rows) {
    std::string title = path.empty() ? PlainCaption(Menu(id).caption)
                                     : path + " &rsaquo; " + PlainCaption(Menu(id).caption);
    for (const MenuItem& item : MenuItems(id)) {
        if (item.kind == MenuItemKind::submenu) {
            AppendMenuKeys(item.submenu, title, rows);
            continue;
        }
        if (item.kind != MenuItemKind::command) continue;
        const CommandInfo& info = Command(item.command);
        if (info.shortcut.key == 0) continue;
        rows += "<tr><td><b>" + HtmlEscaped(ShortcutText(info.shortcut)) + "</b></td><td>" + title +
                " &rsaquo; " + HtmlEscaped(PlainCaption(info.caption)) + "</td><td>" +
                HtmlEscaped(StatusTextOf(info.hint)) + "</td></tr>\n";
    }
}

}  // namespace

std::string HelpShortcutsHtml() {
    std::string html =
        "<html><head><title>Keyboard Shortcuts</title></head><body>\n"
        "<h1>Keyboard Shortcuts</h1>\n"
        "<p>Every key that runs a command, menu by menu. A key without Ctrl or Alt works while "
        "a document window has the focus, not while you type into the name box or a tool "
        "window. A key whose command is greyed out does nothing. See also "
        "<a href=\"wave-window.html\">The wave window</a> for the mouse.</p>\n"
        "<table class=\"commands\">\n<tr><th>Key</th><th>Command</th><th>What it does</th></tr>\n";
    for (const MenuInfo& menu : Menus()) {
        if (menu.topLevel) AppendMenuKeys(menu.id, "", html);
    }
    html +=
        "</table>\n<h2><a name=\"keys\"></a>Keys without a menu item</h2>\n"
        "<p>These keys run the command shown for the kind of the active window, and only when "
        "that command can be used.</p>\n<table class=\"commands\">\n"
        "<tr><th>Key</th><th>Wave window</th><th>Music window</th></tr>\n";
    return html + HelpKeyRowsHtml(false) + "</table>\n</body></html>\n";
}

}  // namespace kalvora
