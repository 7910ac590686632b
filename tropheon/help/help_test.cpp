#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "form3.h"
#include "testing/fake_services.h"

namespace tro {
namespace {

using testing::FakeServices;

TEST(AboutWindow, TheContactLabelStartsAMail) {
    FakeServices fake;
    Form3 about(fake.services);
    about.show();
    auto* contact = about.findChild<QLabel*>("Label8");
    QTest::mouseClick(contact, Qt::LeftButton);
    ASSERT_EQ(std::tuple(fake.urls.opened.size(), fake.dialogs.messages.size()),
              std::tuple(1u, 0u));
    // With no mail program the address is shown, so the player can write by hand.
    fake.urls.succeeds = false;
    QTest::mouseClick(contact, Qt::LeftButton);
    EXPECT_EQ(fake.urls.opened.back(), QUrl("mailto:" TRO_CONTACT_ADDRESS));
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_TRUE(fake.dialogs.messages[0].text.contains(TRO_CONTACT_ADDRESS));
}

}  // namespace
}  // namespace tro
