// The web front-end: the page's controls for the model. The page's script
// (page.js) turns DOM events into the calls exported at the bottom; the
// model reaches the page through the few functions of Vellumino that the
// script defines. Strings cross as UTF-16 code units, exactly as the field
// holds them, lone surrogates included.
#include <emscripten.h>

#include <cstdint>
#include <iterator>

#include "actions.h"
#include "editing.h"
#include "form1_model.h"
#include "layout.h"
#include "zone_table.h"

namespace vellumino {

namespace {

// clang-format off
EM_JS(std::size_t, vellumino_field_length, (), { return Vellumino.field.value.length; });
EM_JS(void, vellumino_read_field, (char16_t* out), {
    const value = Vellumino.field.value;
    for (let i = 0; i < value.length; ++i) HEAPU16[(out >> 1) + i] = value.charCodeAt(i);
});
EM_JS(void, vellumino_replace_field, (const char16_t* text, std::size_t length), {
    Vellumino.replaceField(Vellumino.text(text, length));
});
EM_JS(void, vellumino_show_caption, (int caption, const char16_t* text, std::size_t length, bool announce), {
    Vellumino.showCaption(caption, Vellumino.text(text, length), announce);
});
EM_JS(void, vellumino_offer, (int command, const char16_t* label, std::size_t length, unsigned tables), {
    Vellumino.offer(command, Vellumino.text(label, length), tables);
});
EM_JS(void, vellumino_core_ready, (), { Vellumino.coreReady(); });
// clang-format on

class PageForm1 final : public Form1View {
public:
    SignatureText fieldText() const override
    {
        SignatureText text(vellumino_field_length(), u'\0');
        vellumino_read_field(text.data());
        return text;
    }
    void replaceFieldText(SignatureView text) override { vellumino_replace_field(text.data(), text.size()); }
    void showCaption(Caption caption, SignatureView text, bool announce) override
    {
        vellumino_show_caption(caption == Caption::Label1 ? 1 : 2, text.data(), text.size(), announce);
    }
    std::uintptr_t nativeHandle() override { return 0; }
};

PageForm1 view;
Form1Model model{view};

// What the last call that answers with text gave; the script reads it at
// once, through vellumino_result_length.
SignatureText result;
std::uint32_t range[3];

bool IsZone(int zone)
{
    return zone >= 0 && static_cast<std::size_t>(zone) < layout::kZones.size();
}

}  // namespace

}  // namespace vellumino

using namespace vellumino;

extern "C" {

EMSCRIPTEN_KEEPALIVE void vellumino_text1_change()
{
    model.Text1_Change();
}

// `zone` is the zone's place in layout::kZones, which the page's buttons
// carry as data-zone.
EMSCRIPTEN_KEEPALIVE void vellumino_zone_clicked(int zone)
{
    if (IsZone(zone))
        model.zoneClicked(layout::kZones[static_cast<std::size_t>(zone)].id);
}

// Offers the zone's menu to the page, one Vellumino.offer per entry; none
// for a zone without a menu.
EMSCRIPTEN_KEEPALIVE void vellumino_zone_menu(int zone)
{
    if (!IsZone(zone))
        return;
    const auto all = MenuCommands();
    for (const MenuCommand& command : ZoneMenu(layout::kZones[static_cast<std::size_t>(zone)].id))
        vellumino_offer(static_cast<int>(&command - all.data()), command.label.data(), command.label.size(),
                        command.tables);
}

// Which of the conversions' tables a click on the zone must wait for, as a
// set of TableSet's bits; 0 for none.
EMSCRIPTEN_KEEPALIVE unsigned vellumino_zone_tables(int zone)
{
    return IsZone(zone) ? TablesReadBy(layout::kZones[static_cast<std::size_t>(zone)].id) : kNoTables;
}

// `command` is the number Vellumino.offer gave the entry.
EMSCRIPTEN_KEEPALIVE void vellumino_menu_command_chosen(int command)
{
    if (const MenuCommand* chosen = command < 0 ? nullptr : MenuCommandAt(static_cast<std::size_t>(command)))
        model.menuCommandChosen(*chosen);
}

// An entry of the open menu has the focus or the pointer.
EMSCRIPTEN_KEEPALIVE void vellumino_menu_command_previewed(int command)
{
    if (const MenuCommand* entry = command < 0 ? nullptr : MenuCommandAt(static_cast<std::size_t>(command)))
        model.menuCommandPreviewed(*entry);
}

EMSCRIPTEN_KEEPALIVE void vellumino_preview_ended()
{
    model.previewEnded();
}

// What of `incoming` the field takes in place of `selected` of its `length`
// units: typed text (`typed`) or a paste, a drop, a correction. Read the
// answer with vellumino_result_length.
EMSCRIPTEN_KEEPALIVE const char16_t* vellumino_fit(const char16_t* incoming, std::size_t incomingLength,
                                                   int typed, std::size_t length, std::size_t selected)
{
    const SignatureView text(incoming, incomingLength);
    const std::ptrdiff_t room = RoomFor(length, selected);
    result = typed ? TypedInsertion(text, room) : FitToRoom(text, room);
    return result.data();
}

EMSCRIPTEN_KEEPALIVE std::size_t vellumino_result_length()
{
    return result.size();
}

// What a deleting key takes from the field at `caret` when nothing is
// selected: 0 Backspace, 1 Delete, 2 Ctrl+Backspace. Two code-unit offsets,
// start and end.
EMSCRIPTEN_KEEPALIVE const std::uint32_t* vellumino_deletion(int key, std::size_t caret)
{
    const RemovingKey keys[] = {RemovingKey::Backspace, RemovingKey::Delete, RemovingKey::WordBefore};
    const TextRange taken = RemovalFor(view.fieldText(), {caret, caret}, keys[key == 0 ? 0 : key == 1 ? 1 : 2]).taken;
    range[0] = static_cast<std::uint32_t>(taken.start);
    range[1] = static_cast<std::uint32_t>(taken.end);
    return range;
}

// What a removing key takes from the field's [start, end), a caret when the
// two are equal: 0 Backspace, 1 Delete, 2 Ctrl+Backspace, 3 a cut. Three
// numbers: the start and end taken (equal when the key does nothing) and 1
// when what is taken goes on the clipboard.
EMSCRIPTEN_KEEPALIVE const std::uint32_t* vellumino_removal(int key, std::size_t start, std::size_t end)
{
    const RemovingKey keys[] = {RemovingKey::Backspace, RemovingKey::Delete, RemovingKey::WordBefore,
                                RemovingKey::Cut};
    const Removal removal = RemovalFor(view.fieldText(), {start, end}, keys[key >= 0 && key <= 3 ? key : 0]);
    range[0] = static_cast<std::uint32_t>(removal.taken.start);
    range[1] = static_cast<std::uint32_t>(removal.taken.end);
    range[2] = removal.toClipboard ? 1 : 0;
    return range;
}

// The field's [start, end) (a caret when equal) widened to whole characters,
// as two offsets, for the page to select before it inserts or removes.
EMSCRIPTEN_KEEPALIVE const std::uint32_t* vellumino_whole_characters(std::size_t start, std::size_t end)
{
    const TextRange whole = WholeCharacters(view.fieldText(), {start, end});
    range[0] = static_cast<std::uint32_t>(whole.start);
    range[1] = static_cast<std::uint32_t>(whole.end);
    return range;
}

EMSCRIPTEN_KEEPALIVE void vellumino_copy_answered(const char16_t* copied, std::size_t length, int succeeded)
{
    CopyAnswered(model, SignatureView(copied, length), succeeded != 0);
}

// Where each set of the conversions' tables goes in memory, and what its
// file, cut from this core, must say, for tables.js to check before it
// writes a byte: the first address, the end, and where its length and hash
// are in the seal. The build cuts each set out of its section
// (app/web/split_wasm.cpp, in this order, TableSet's bits) and writes each
// file's length and hash after the seal's name.
extern const char __start_vellumino_tables_traditional[];
extern const char __stop_vellumino_tables_traditional[];
extern const char __start_vellumino_tables_simplified[];
extern const char __stop_vellumino_tables_simplified[];
namespace {
struct TableSection {
    TableSet set;
    const char* start;
    const char* stop;
};
constexpr TableSection kTableSections[] = {
    {kToTraditionalTables, __start_vellumino_tables_traditional, __stop_vellumino_tables_traditional},
    {kToSimplifiedTables, __start_vellumino_tables_simplified, __stop_vellumino_tables_simplified},
};
constexpr std::size_t kSealed = std::size(kTableSections);
static_assert(
    [] {
        for (std::size_t i = 0; i < kSealed; ++i) {
            if (kTableSections[i].set != 1u << i)
                return false;
        }
        return true;
    }(),
    "a set's bit is its place here, where the page looks for its file");
}  // namespace
// Not zeros, which the optimizer would leave out of the data for the
// split to find nothing there.
alignas(4) const unsigned char vellumino_seal[16 + 8 * kSealed] = {
    'V', 'e', 'l', 'l', 'u', 'm', 'i', 'n', 'o', ' ', 't', 'a', 'b', 'l', 'e', 's',
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// `file` is the set's place in that order; null past the last.
EMSCRIPTEN_KEEPALIVE const std::uint32_t* vellumino_tables_where(int file)
{
    static std::uint32_t where[3];
    if (file < 0 || static_cast<std::size_t>(file) >= kSealed)
        return nullptr;
    const TableSection& section = kTableSections[file];
    where[0] = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(section.start));
    where[1] = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(section.stop));
    where[2] = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(vellumino_seal + 16 + 8 * file));
    return where;
}

}  // extern "C"

int main()
{
    vellumino_core_ready();
}
