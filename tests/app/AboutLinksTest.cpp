// The About box's two links: bound to controls 1017 and 1018, aimed at the product's addresses.
#include "AppFixture.h"

#include "LinkStatic.h"

namespace {
struct ShownLink {
    bool bound = false;
    std::string target, text;
    bool underlined = false;
};

ShownLink linkIn(HWND dialog, int id) {
    ShownLink shown;
    HWND control = GetDlgItem(dialog, id);
    CWnd* wnd = CWnd::FromHandlePermanent(control);
    auto* link =
        wnd && wnd->IsKindOf(RUNTIME_CLASS(CLinkStatic)) ? static_cast<CLinkStatic*>(wnd) : nullptr;
    if (!link)
        return shown;
    shown.bound = true;
    shown.target = link->GetTarget().str();
    shown.text = ui::WindowText(control);
    LOGFONTA font{};
    shown.underlined = GetObjectA(link->GetFont(), sizeof font, &font) && font.lfUnderline;
    return shown;
}
} // namespace

TEST_F(QuarvelStarted, AboutBoxLinksOpenTheWebPageAndTheSupportAddress) {
    ASSERT_TRUE(Start());
    ShownLink web, mail;
    ui::DialogAnswerer answerer([&](HWND dialog, const ui::SeenDialog& seen) {
        if (seen.caption != "About Quarvel")
            return 0;
        web = linkIn(dialog, IDC_WEB_LINK);
        mail = linkIn(dialog, IDC_EMAIL_LINK);
        return IDOK;
    });
    frame->SendMessage(WM_COMMAND, ID_APP_ABOUT);
    ASSERT_TRUE(web.bound);
    EXPECT_EQ(web.target, "https://quarvel.example/");
    EXPECT_EQ(web.text, "https://quarvel.example/");
    EXPECT_TRUE(web.underlined);
    ASSERT_TRUE(mail.bound);
    EXPECT_EQ(mail.target, "mailto:support@quarvel.example");
    EXPECT_EQ(mail.text, "support@quarvel.example");
    EXPECT_TRUE(mail.underlined);
}
