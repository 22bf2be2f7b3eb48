// The window's rules against a stand-in for a toolkit's controls, with no
// toolkit: what reaches the captions, and when.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "actions.h"
#include "form1_model.h"
#include "styling.h"

namespace vellumino {
namespace {

// Controls as simple as a toolkit's can be: the field reports a change
// either at once, inside the write, or never when the text is unchanged.
class FakeView final : public Form1View {
public:
    enum class Reports { Always, OnlyChanges, Never };

    explicit FakeView(Reports reports) : reports_(reports) {}
    void attach(Form1Model& model) { model_ = &model; }

    SignatureText fieldText() const override { return text_; }
    void replaceFieldText(SignatureView text) override
    {
        const bool changed = text != text_;
        text_ = text;
        ++edits;
        if (reports_ == Reports::Always || (reports_ == Reports::OnlyChanges && changed))
            model_->Text1_Change();
    }
    void showCaption(Caption caption, SignatureView text, bool announce) override
    {
        announced += announce ? SignatureText(text) + u"|" : SignatureText();
        (caption == Caption::Label1 ? label1 : label2) = text;
        ++captionWrites;
    }
    std::uintptr_t nativeHandle() override { return 7; }

    // The user's own edit, reported as a toolkit reports it.
    void userTypes(SignatureView text)
    {
        text_ = text;
        model_->Text1_Change();
    }

    SignatureText label1 = u"-", label2 = u"-";
    SignatureText announced;  // every announced caption text, each followed by |
    int edits = 0;
    int captionWrites = 0;

private:
    Reports reports_;
    Form1Model* model_ = nullptr;
    SignatureText text_ = u"个性签名";
};

class Form1ModelTest : public testing::TestWithParam<FakeView::Reports> {
protected:
    FakeView view{GetParam()};
    Form1Model model{view};
    void SetUp() override { view.attach(model); }
};

TEST_P(Form1ModelTest, EveryWriteRefreshesBothCaptionsOnce)
{
    for (const SignatureText& text : {SignatureText(u"个性签名"), SignatureText(u"新的"), SignatureText()}) {
        model.setCardPreview(kCopyConfirmation);
        view.captionWrites = 0;
        model.writeSignature(text);
        EXPECT_EQ(view.label1, text);
        EXPECT_EQ(view.label2, text);  // the confirmation is gone, unchanged text or not
        EXPECT_EQ(view.captionWrites, 2);
        EXPECT_EQ(view.edits, 1);
        view.edits = 0;
    }
}

TEST_P(Form1ModelTest, ConfirmationLastsUntilTheNextChange)
{
    model.setCardPreview(kCopyConfirmation);
    EXPECT_EQ(view.label2, kCopyConfirmation);
    view.userTypes(u"个性签名!");
    EXPECT_EQ(view.label1, u"个性签名!");
    EXPECT_EQ(view.label2, u"个性签名!");

    // 加符号 on a framed signature changes nothing but still brings the text back.
    model.writeSignature(AddSymbols(u"abc"));
    model.setCardPreview(kCopyConfirmation);
    model.zoneClicked(layout::ZoneId::Label4);
    EXPECT_EQ(view.fieldText(), u"↗℡abc╰☆");
    EXPECT_EQ(view.label2, u"↗℡abc╰☆");

    // 清空 on an empty field still takes the confirmation away.
    model.writeSignature({});
    model.setCardPreview(kCopyConfirmation);
    model.zoneClicked(layout::ZoneId::Label8);
    EXPECT_EQ(view.label1, u"");
    EXPECT_EQ(view.label2, u"");
    // Only the program's own message is read out; the signature is heard as it is typed.
    EXPECT_EQ(view.announced, SignatureText(kCopyConfirmation) + u"|" + SignatureText(kCopyConfirmation) + u"|" +
                                  SignatureText(kCopyConfirmation) + u"|");
}

TEST_P(Form1ModelTest, ZonesAndMenusRunTheirCommands)
{
    model.zoneClicked(layout::ZoneId::Label3);
    EXPECT_EQ(view.fieldText(), u"个 性 签 名");
    model.zoneClicked(layout::ZoneId::Label5);
    EXPECT_EQ(view.label1, ToMartian(u"个 性 签 名"));
    model.menuCommandChosen(ZoneMenu(layout::ZoneId::Label5).front());
    EXPECT_EQ(view.label2, u"个 性 签 名");
}

// A browser's clipboard answers after the click: the answer speaks for the
// signature it was asked to copy, and only while the field still holds it.
TEST_P(Form1ModelTest, ALateCopyAnswerSpeaksOnlyForTheSignatureCopied)
{
    struct Case {
        SignatureView copied;
        bool succeeded;
        SignatureView expected;
    };
    for (const Case& c : {Case{u"个性签名", true, kCopyConfirmation}, Case{u"个性签名", false, kCopyFailed},
                          Case{u"个性签", true, u"个性签名"}, Case{u"个性签名!", false, u"个性签名"}}) {
        model.writeSignature(u"个性签名");
        CopyAnswered(model, c.copied, c.succeeded);
        EXPECT_EQ(view.label2, c.expected) << (c.succeeded ? "copied" : "refused");
        EXPECT_EQ(view.label1, u"个性签名");
    }
}

INSTANTIATE_TEST_SUITE_P(Toolkits, Form1ModelTest,
                         testing::Values(FakeView::Reports::Always, FakeView::Reports::OnlyChanges,
                                         FakeView::Reports::Never));

// A preview shows in both captions and touches nothing else; leaving puts
// back what they showed, the copy's confirmation too; choosing is one edit.
TEST_P(Form1ModelTest, AMenuEntryPreviewsUntilLeftOrChosen)
{
    const MenuCommand& entry = ZoneMenu(layout::ZoneId::Label4).front();
    model.writeSignature(u"个性签名");
    model.setCardPreview(kCopyConfirmation);
    view.announced.clear();
    view.edits = 0;
    model.menuCommandPreviewed(entry);
    EXPECT_EQ(view.label1, MenuResult(entry, u"个性签名"));
    EXPECT_EQ(view.label2, view.label1);
    EXPECT_EQ(view.fieldText(), u"个性签名");
    model.previewEnded();
    model.previewEnded();
    EXPECT_EQ(view.label1, u"个性签名");
    EXPECT_EQ(view.label2, kCopyConfirmation);
    EXPECT_EQ(view.announced, u"");  // the confirmation was heard when it came
    EXPECT_EQ(view.edits, 0);

    model.menuCommandPreviewed(entry);
    model.menuCommandChosen(entry);
    model.previewEnded();  // a toolkit may close the menu after the choice
    EXPECT_EQ(view.fieldText(), MenuResult(entry, u"个性签名"));
    EXPECT_EQ(view.label2, view.fieldText());
    EXPECT_EQ(view.edits, 1);
}

TEST(ZoneTable, EachMenuStartsWithItsReverseAndEndsInRemovingStyles)
{
    struct Case {
        layout::ZoneId zone;
        std::u16string_view first;
        std::u16string_view last;
    };
    for (const Case& c : {Case{layout::ZoneId::Label3, {}, u"去除样式"},
                          Case{layout::ZoneId::Label4, {}, u"去除样式"},
                          Case{layout::ZoneId::Label5, u"火星文转简体", u"去除样式"},
                          Case{layout::ZoneId::Label6, u"繁体转简体", u"繁体转简体"},
                          Case{layout::ZoneId::Label7, {}, {}}, Case{layout::ZoneId::Label8, {}, {}},
                          Case{layout::ZoneId::Label9, {}, {}}}) {
        const auto menu = ZoneMenu(c.zone);
        const std::string name(layout::zone(c.zone).objectName);
        if (c.last.empty()) {
            EXPECT_TRUE(menu.empty()) << name;
            EXPECT_TRUE(ZoneMenuHint(c.zone).empty()) << name;
            continue;
        }
        ASSERT_GE(menu.size(), 1u) << name;
        EXPECT_EQ(menu.back().label, c.last) << name;
        EXPECT_FALSE(ZoneMenuHint(c.zone).empty()) << name;
        if (!c.first.empty()) {
            EXPECT_EQ(menu.front().label, c.first) << name;
        }
        for (const MenuCommand& command : menu) {
            // A style beside its button: the family the button belongs to.
            if (command.style && c.zone == layout::ZoneId::Label5) {
                EXPECT_EQ(command.style->family, StyleFamily::Letters) << name;
            }
        }
    }
    // Which tables each command waits for on the web: a reverse reads its own
    // direction's, not its button's, and no style or Martian map reads any.
    for (const auto& [zone, button, reverse] :
         {std::tuple{layout::ZoneId::Label3, kNoTables, kNoTables},
          std::tuple{layout::ZoneId::Label5, kNoTables, kNoTables},
          std::tuple{layout::ZoneId::Label6, kToTraditionalTables, kToSimplifiedTables},
          std::tuple{layout::ZoneId::Label7, kNoTables, kNoTables}}) {
        const std::string name(layout::zone(zone).objectName);
        EXPECT_EQ(TablesReadBy(zone), button) << name;
        for (const MenuCommand& command : ZoneMenu(zone))
            EXPECT_EQ(command.tables, command.style || !command.inFieldMenu ? kNoTables : reverse) << name;
    }
    std::u16string field;
    for (const MenuCommand& command : MenuCommands()) {
        if (command.inFieldMenu)
            field += std::u16string(command.label) + u"|";
    }
    EXPECT_EQ(field, u"火星文转简体|繁体转简体|");
    // The keyboard's way to every style: the field's submenus hold each zone's menu but its reverse.
    std::size_t styles = 0;
    for (const FieldSubmenu& submenu : FieldSubmenus()) {
        ASSERT_FALSE(submenu.entries.empty());
        EXPECT_EQ(submenu.entries.back().label, u"去除样式");
        for (const MenuCommand& command : submenu.entries) {
            EXPECT_FALSE(command.inFieldMenu) << std::string(command.label.begin(), command.label.end());
            styles += command.style != nullptr;
        }
    }
    EXPECT_EQ(styles, StyleCatalogue().size());
    for (const layout::Zone& zone : layout::kZones)
        EXPECT_EQ(ShowsHandCursor(zone.id), zone.id == layout::ZoneId::Label9) << zone.objectName;
}

}  // namespace
}  // namespace vellumino
