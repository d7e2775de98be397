#include <gtest/gtest.h>

#include <ostream>

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "ui/Application.h"
#include "graphics/Exceptions.h"
#include "ui/Form.h"
#include "ui/FormDescription.h"
#include "ui/Menu.h"

namespace {

class Forms : public testing::Test {
protected:
    void SetUp() override { TApplication::Initialize(); }
};

// A form whose description the test hands in.
class TTestForm : public TForm {
public:
    explicit TTestForm(const TFormDescription& description) : TForm(nullptr) {
        RegisterHandler("Clicked", [this](TObject* sender) { clicks.push_back(sender); });
        RegisterHandler("Created", [this](TObject*) { created = true; });
        ReadDescription(description);
    }
    std::vector<TObject*> clicks;
    bool created = false;
};

TEST_F(Forms, HasAFixedClientSize) {
    TForm form(nullptr);
    form.SetClientWidth(617);
    form.SetClientHeight(370);
    EXPECT_EQ(form.ClientWidget()->size(), QSize(617, 370));
    EXPECT_EQ(form.Widget()->minimumSize(), form.Widget()->maximumSize());
}

TEST_F(Forms, FirstShowingCentresOnTheScreenAndLaterShowingsKeepThePlace) {
    TForm form(nullptr);
    form.SetClientWidth(200);
    form.SetClientHeight(100);
    form.SetPosition(TPosition::poScreenCenter);
    form.Show();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint centre = form.Widget()->frameGeometry().center();
    EXPECT_NEAR(centre.x(), screen.center().x(), 1);
    EXPECT_NEAR(centre.y(), screen.center().y(), 1);
    form.Hide();
    form.SetBounds(10, 20, form.Width(), form.Height());
    form.Show();
    EXPECT_EQ(form.Widget()->pos(), QPoint(10, 20));
    form.Hide();
}

TEST_F(Forms, ShowModalReturnsWhenTheFormIsClosed) {
    TForm main(nullptr);
    TForm dialog(nullptr);
    dialog.SetClientWidth(50);
    dialog.SetClientHeight(50);
    bool modalWhileOpen = false;
    QTimer::singleShot(0, [&] {
        modalWhileOpen = dialog.Modal() && dialog.Showing();
        dialog.Close();
    });
    dialog.ShowModal();
    EXPECT_TRUE(modalWhileOpen);
    EXPECT_FALSE(dialog.Showing());
    EXPECT_FALSE(dialog.Modal());
}

TEST_F(Forms, ClosingAnotherFormHidesItClosingTheMainFormEndsTheProgram) {
    TForm main(nullptr);
    TForm other(nullptr);
    ASSERT_EQ(Application->MainForm(), &main);
    other.Show();
    other.Close();
    EXPECT_FALSE(other.Showing());
    EXPECT_FALSE(Application->Terminated());
    main.Close();
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(Forms, ReadsComponentsPropertiesAndHandlersFromTheDescription) {
    using namespace fd;
    TFormDescription description;
    description.properties = {P("Caption", S("Okno")), P("ClientWidth", N(300)), P("ClientHeight", N(200)),
                              P("Menu", I("Menu1")), P("OnCreate", I("Created"))};
    description.components = {
        {"Panel1", "TPanel", "", 10, 10, 100, 80, {P("Caption", S("Náhled"))}},
        {"Label1",
         "TLabel",
         "Panel1",
         5,
         5,
         40,
         13,
         {P("AutoSize", false), P("Caption", S("Text")), P("Hint", S("Nápověda")), P("Cursor", I("crHandPoint")),
          P("OnClick", I("Clicked"))}},
        {"Menu1", "TMainMenu", "", 0, 0, 0, 0, {}},
        {"Item1", "TMenuItem", "Menu1", 0, 0, 0, 0, {P("Caption", S("&Konec")), P("OnClick", I("Clicked"))}},
    };
    TTestForm form(description);
    EXPECT_TRUE(form.created);
    EXPECT_EQ(form.Caption(), "Okno");
    EXPECT_EQ(form.Widget()->windowTitle().toStdString(), "Okno");
    auto* label = dynamic_cast<TControl*>(form.FindComponent("Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Parent(), form.FindComponent("Panel1"));
    EXPECT_EQ(label->BoundsRect(), (TRect{5, 5, 45, 18}));
    EXPECT_EQ(label->Hint(), "Nápověda");
    EXPECT_EQ(label->Widget()->toolTip().toStdString(), "Nápověda");
    EXPECT_EQ(label->Widget()->cursor().shape(), Qt::PointingHandCursor);
    label->Click();
    auto* item = dynamic_cast<TMenuItem*>(form.FindComponent("Item1"));
    ASSERT_NE(item, nullptr);
    item->Action()->trigger();
    ASSERT_EQ(form.clicks.size(), 2u);
    EXPECT_EQ(form.clicks[0], label);
    EXPECT_EQ(form.clicks[1], item);
    EXPECT_EQ(form.Menu(), form.FindComponent("Menu1"));
}

struct BadDescription {
    const char* what;
    TComponentDesc component;
    friend std::ostream& operator<<(std::ostream& out, const BadDescription& d) { return out << d.what; }
};

class DescriptionFaults : public Forms, public testing::WithParamInterface<BadDescription> {};

TEST_P(DescriptionFaults, FailWithAReadError) {
    TFormDescription description;
    description.components = {GetParam().component};
    EXPECT_THROW(TTestForm form(description), EReadError) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DescriptionFaults,
    testing::Values(
        BadDescription{"unknown class", {"X", "TNoSuchClass", "", 0, 0, 1, 1, {}}},
        BadDescription{"unknown property", {"X", "TLabel", "", 0, 0, 1, 1, {fd::P("Colour", fd::N(1))}}},
        BadDescription{"wrong value kind", {"X", "TLabel", "", 0, 0, 1, 1, {fd::P("Caption", fd::N(1))}}},
        BadDescription{"unknown identifier", {"X", "TLabel", "", 0, 0, 1, 1, {fd::P("Cursor", fd::I("crNo"))}}},
        BadDescription{"unknown handler", {"X", "TLabel", "", 0, 0, 1, 1, {fd::P("OnClick", fd::I("Nope"))}}},
        BadDescription{"unknown parent", {"X", "TLabel", "Nowhere", 0, 0, 1, 1, {}}},
        BadDescription{"parent that holds no controls", {"X", "TLabel", "X", 0, 0, 1, 1, {}}}));

}  // namespace

namespace {

TEST_F(Forms, ClientLargerThanAWindowCanBeIsCutToTheWindowSystemsLimit) {
    TForm form(nullptr);
    form.SetClientHeight(20000);
    form.SetClientWidth(40000);
    EXPECT_EQ(form.ClientWidth(), 40000);  // the form keeps what it was given
    EXPECT_EQ(form.ClientWidget()->width(), 32767);
    EXPECT_EQ(form.ClientWidget()->height(), 20000);
}

}  // namespace
