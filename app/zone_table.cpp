#include "zone_table.h"

#include <variant>

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
    bool readsConversionTables;
};

constexpr ZoneCommand kZoneTable[] = {
    {layout::ZoneId::Label3, &AddSpaces, false},         {layout::ZoneId::Label4, &AddSymbols, false},
    {layout::ZoneId::Label5, &ToMartian, true},          {layout::ZoneId::Label6, &ToTraditional, true},
    {layout::ZoneId::Label7, &CopySignature, false},     {layout::ZoneId::Label8, &ClearSignature, false},
    {layout::ZoneId::Label9, &OpenSignaturePage, false},
};

static_assert(std::size(kZoneTable) == layout::kZones.size(), "every zone runs one command");

constexpr MenuCommand kMenuCommands[] = {
    {layout::ZoneId::Label5, u"火星文转简体", &FromMartian, true},
    {layout::ZoneId::Label6, u"繁体转简体", &ToSimplified, true},
};

}  // namespace

std::span<const MenuCommand> MenuCommands()
{
    return kMenuCommands;
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

bool ReadsConversionTables(layout::ZoneId zone)
{
    for (const ZoneCommand& entry : kZoneTable) {
        if (entry.zone == zone)
            return entry.readsConversionTables;
    }
    return false;
}

void RunMenuCommand(const MenuCommand& command, SignatureWindow& window)
{
    window.writeSignature(command.run(window.signature()));
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
