#include "zone_table.h"

#include <optional>
#include <variant>
#include <vector>

#include "actions.h"
#include "signature_window.h"
#include "styling.h"

namespace vellumino {

namespace {

using StyleCommand = SignatureText (*)(SignatureView);
using OutputAction = void (*)(SignatureWindow&);

struct ZoneCommand {
    layout::ZoneId zone;
    std::variant<StyleCommand, OutputAction> command;
    TableSet tables;
};

constexpr ZoneCommand kZoneTable[] = {
    {layout::ZoneId::Label3, &AddSpaces, kNoTables},
    {layout::ZoneId::Label4, &AddSymbols, kNoTables},
    {layout::ZoneId::Label5, &ToMartian, kNoTables},
    {layout::ZoneId::Label6, &ToTraditional, kToTraditionalTables},
    {layout::ZoneId::Label7, &CopySignature, kNoTables},
    {layout::ZoneId::Label8, &ClearSignature, kNoTables},
    {layout::ZoneId::Label9, &OpenSignaturePage, kNoTables},
};

static_assert(std::size(kZoneTable) == layout::kZones.size(), "every zone runs one command");

// A zone's reverse command, and the family of styles its menu offers.
struct ZoneMenuSource {
    layout::ZoneId zone;
    std::u16string_view reverseLabel;
    SignatureText (*reverse)(SignatureView);
    TableSet reverseTables;  // what the reverse reads
    std::optional<StyleFamily> family;
    std::u16string_view familyLabel;  // the field's submenu of the family
    std::u16string_view hint;
};

constexpr ZoneMenuSource kZoneMenus[] = {
    {layout::ZoneId::Label3, {}, nullptr, kNoTables, StyleFamily::Separator, u"分隔符",
     u"右键或长按：更多分隔符，去除样式"},
    {layout::ZoneId::Label4, {}, nullptr, kNoTables, StyleFamily::Frame, u"边框",
     u"右键或长按：更多边框，去除样式"},
    {layout::ZoneId::Label5, u"火星文转简体", &FromMartian, kNoTables, StyleFamily::Letters, u"字母样式",
     u"右键或长按：火星文转简体，更多字母样式，去除样式"},
    {layout::ZoneId::Label6, u"繁体转简体", &ToSimplified, kToSimplifiedTables, std::nullopt, {},
     u"右键或长按：繁体转简体"},
};

std::vector<MenuCommand> BuildMenuCommands()
{
    std::vector<MenuCommand> commands;
    for (const ZoneMenuSource& source : kZoneMenus) {
        if (source.reverse)
            commands.push_back(
                {source.zone, source.reverseLabel, source.reverse, nullptr, source.reverseTables, true});
        if (!source.family)
            continue;
        for (const Style& style : StyleCatalogue()) {
            if (style.family == *source.family)
                commands.push_back({source.zone, style.label, nullptr, &style, kNoTables, false});
        }
        commands.push_back({source.zone, u"去除样式", &RemoveStyles, nullptr, kNoTables, false});
    }
    return commands;
}

}  // namespace

std::span<const MenuCommand> MenuCommands()
{
    static const std::vector<MenuCommand> commands = BuildMenuCommands();
    return commands;
}

const MenuCommand* MenuCommandAt(std::size_t place)
{
    const std::span<const MenuCommand> all = MenuCommands();
    return place < all.size() ? &all[place] : nullptr;
}

SignatureText MenuResult(const MenuCommand& command, SignatureView text)
{
    return command.style ? ApplyStyle(*command.style, text) : command.run(text);
}

std::span<const FieldSubmenu> FieldSubmenus()
{
    static const std::vector<FieldSubmenu> submenus = [] {
        std::vector<FieldSubmenu> built;
        for (const ZoneMenuSource& source : kZoneMenus) {
            if (!source.family)
                continue;
            // The zone's menu without its reverse, which the field lists on its own.
            std::span<const MenuCommand> styles = ZoneMenu(source.zone);
            while (!styles.empty() && styles.front().inFieldMenu)
                styles = styles.subspan(1);
            built.push_back({source.familyLabel, styles});
        }
        return built;
    }();
    return submenus;
}

std::u16string_view ZoneMenuHint(layout::ZoneId zone)
{
    for (const ZoneMenuSource& source : kZoneMenus) {
        if (source.zone == zone)
            return source.hint;
    }
    return {};
}

std::span<const MenuCommand> ZoneMenu(layout::ZoneId zone)
{
    const std::span<const MenuCommand> all = MenuCommands();
    std::size_t first = 0;
    while (first < all.size() && all[first].zone != zone)
        ++first;
    std::size_t last = first;
    while (last < all.size() && all[last].zone == zone)
        ++last;
    return all.subspan(first, last - first);
}

bool ShowsHandCursor(layout::ZoneId zone)
{
    return zone == layout::ZoneId::Label9;
}

TableSet TablesReadBy(layout::ZoneId zone)
{
    for (const ZoneCommand& entry : kZoneTable) {
        if (entry.zone == zone)
            return entry.tables;
    }
    return kNoTables;
}

void RunMenuCommand(const MenuCommand& command, SignatureWindow& window)
{
    window.writeSignature(MenuResult(command, window.signature()));
}

void RunZoneCommand(layout::ZoneId zone, SignatureWindow& window)
{
    for (const ZoneCommand& entry : kZoneTable) {
        if (entry.zone != zone)
            continue;
        if (const auto* style = std::get_if<StyleCommand>(&entry.command))
            window.writeSignature((*style)(window.signature()));
        else
            std::get<OutputAction>(entry.command)(window);
        return;
    }
}

}  // namespace vellumino
