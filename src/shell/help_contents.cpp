#include "shell/help_contents.h"

#include "shell/command_table.h"
#include "shell/frame_layout.h"
#include "shell/key_commands.h"

namespace kalvora {
namespace {

std::string CommandRow(const CommandInfo& info) {
    std::string row = "<tr><td><a name=\"" + std::string(info.name) + "\"></a><b>" +
                      HtmlEscaped(PlainCaption(info.caption)) + "</b></td><td>" +
                      HtmlEscaped(ShortcutText(info.shortcut)) + "</td><td>";
    if (!info.hint.empty()) {
        std::string_view tip = ToolTipOf(info.hint);
        std::string_view status = StatusTextOf(info.hint);
        row += HtmlEscaped(tip);
        if (status != tip) row += " &mdash; " + HtmlEscaped(status);
    }
    return row + "</td></tr>\n";
}

void AppendMenu(MenuId id, const std::string& path, std::string& html) {
    std::string title = path.empty() ? PlainCaption(Menu(id).caption)
                                     : path + " &rsaquo; " + PlainCaption(Menu(id).caption);
    std::string rows;
    for (const MenuItem& item : MenuItems(id)) {
        if (item.kind == MenuItemKind::command) rows += CommandRow(Command(item.command));
    }
    if (!rows.empty()) {
        html += "<h2>" + title + "</h2>\n<table class=\"commands\">\n" + rows + "</table>\n";
    }
    for (const MenuItem& item : MenuItems(id)) {
        if (item.kind == MenuItemKind::submenu) AppendMenu(item.submenu, title, html);
    }
}

std::string KeyMeaning(CommandId key, WindowKind kind) {
    std::optional<CommandId> target = KeyCommandTarget(key, kind);
    if (!target) return "&mdash;";
    if (*target == key) return "a music command";
    return HtmlEscaped(PlainCaption(Command(*target).caption));
}

}  // namespace

std::string HelpKeyRowsHtml(bool anchors) {
    std::string rows;
    for (const CommandInfo& info : CommandTable()) {
        if (info.category != CommandCategory::key) continue;
        rows += "<tr><td>";
        if (anchors) rows += "<a name=\"" + std::string(info.name) + "\"></a>";
        rows += "<b>" + HtmlEscaped(ShortcutText(info.shortcut)) + "</b></td><td>" +
                KeyMeaning(info.id, WindowKind::wave) + "</td><td>" +
                KeyMeaning(info.id, WindowKind::music) + "</td></tr>\n";
    }
    return rows;
}

std::string HtmlEscaped(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string HelpContentsHtml() {
    std::string html =
        "<html><head><title>Commands</title></head><body>\n"
        "<h1>Commands</h1>\n"
        "<p>Every command of Kalvora, menu by menu, with its shortcut and what it does. "
        "<a href=\"shortcuts.html\">Keyboard Shortcuts</a> lists the same keys by key, and "
        "<a href=\"index.html\">the contents</a> lead to the pages of the manual.</p>\n";
    for (const MenuInfo& menu : Menus()) {
        if (menu.topLevel) AppendMenu(menu.id, "", html);
    }
    html +=
        "<h2>Keyboard</h2>\n<p>These keys have no menu item; what they do depends on the "
        "active window.</p>\n<table class=\"commands\">\n"
        "<tr><th>Key</th><th>Wave window</th><th>Music window</th></tr>\n";
    html += HelpKeyRowsHtml(true) + "</table>\n</body></html>\n";
    return html;
}

}  // namespace kalvora
