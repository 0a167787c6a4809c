// Components: owners free what they own, newest first; class names come from the real class.
#include "platform/rtl/object.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

struct Logged : TComponent {
    Logged(TComponent* owner, std::vector<QString>* log, QString name) : TComponent(owner), log_(log)
    {
        Name = std::move(name);
    }
    ~Logged() override { log_->push_back(Name); }
    std::vector<QString>* log_;
};

} // namespace

TEST(Components, OwnerFreesOwnedNewestFirstAndForgetsFreedOnes)
{
    std::vector<QString> log;
    auto* owner = new Logged(nullptr, &log, "owner");
    new Logged(owner, &log, "a");
    auto* b = new Logged(owner, &log, "b");
    new Logged(b, &log, "b.child");
    auto* c = new Logged(owner, &log, "c");
    EXPECT_EQ(owner->ComponentCount(), 3);
    delete c;
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(b->Owner(), owner);
    log.clear();
    delete owner;
    EXPECT_EQ(log, (std::vector<QString>{"owner", "b", "b.child", "a"}));
}

TEST(Components, ClassNameIsTheMostDerivedClassWithoutNamespace)
{
    std::vector<QString> log;
    Logged l(nullptr, &log, "x");
    EXPECT_EQ(l.ClassName(), "Logged");
    TComponent plain;
    EXPECT_EQ(plain.ClassName(), "TComponent");
}
