#include "ApiDeclare.h"

#include "User32.h"

#include "../Value/RuntimeError.h"

#include <QWidget>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// Plays a system without the function for the life of the object.
class HiddenApi
{
public:
    HiddenApi(QString library, QString name) : m_library(std::move(library)), m_name(name)
    {
        ApiTable::hide(m_library, m_name);
    }
    ~HiddenApi() { ApiTable::show(m_library, m_name); }
    HiddenApi(const HiddenApi &) = delete;
    HiddenApi &operator=(const HiddenApi &) = delete;

private:
    QString m_library, m_name;
};

int32_t answerOne(int32_t)
{
    return 1;
}

int32_t answerTwo(int32_t)
{
    return 2;
}

template<class Call>
RuntimeError errorOf(Call call)
{
    try {
        call();
    } catch (const RuntimeError &error) {
        return error;
    }
    return RuntimeError(0, QStringLiteral("no error"));
}

TEST(ApiTable, TheSystemFunctionsAreThereByLibraryAndName)
{
    const char *const names[][2] = {
        {"user32", "GetWindowLongA"},
        {"user32", "SetWindowLongA"},
        {"user32", "SetLayeredWindowAttributes"},
        {"user32", "SetWindowRgn"},
        {"gdi32", "CreateRoundRectRgn"},
        {"gdi32", "DeleteObject"},
        {"gdi32", "SetStretchBltMode"},
        {"gdi32", "StretchBlt"},
    };
    for (const auto &name : names) {
        EXPECT_TRUE(ApiTable::contains(name[0], name[1])) << name[0] << " " << name[1];
        // Functions live in their own library only.
        EXPECT_FALSE(ApiTable::contains(
            QLatin1String(name[0]) == QLatin1String("user32") ? "gdi32" : "user32", name[1]))
            << name[1];
    }
}

TEST(ApiTable, LibraryNamesIgnoreCaseAndTheExtensionButFunctionNamesAreExact)
{
    EXPECT_TRUE(ApiTable::contains("USER32.DLL", "GetWindowLongA"));
    EXPECT_TRUE(ApiTable::contains("User32.dll", "GetWindowLongA"));
    EXPECT_FALSE(ApiTable::contains("user32", "getwindowlonga"));
    EXPECT_FALSE(ApiTable::contains("user32", "GetWindowLong"));
    EXPECT_FALSE(ApiTable::contains("kernel32", "GetWindowLongA"));
}

TEST(ApiDeclare, ADeclarationCallsTheFunctionItNames)
{
    QWidget window;
    const HWND hwnd = WindowHandles::registerWindow(&window);
    const ApiDeclare<int32_t(int32_t, int32_t)> getWindowLong("user32.dll", "GetWindowLongA");
    const ApiDeclare<int32_t(int32_t, int32_t, int32_t)> setWindowLong("user32", "SetWindowLongA");
    EXPECT_FALSE(getWindowLong.isBound());
    EXPECT_EQ(getWindowLong(hwnd, GWL_EXSTYLE), 0x00040100);
    EXPECT_TRUE(getWindowLong.isBound());
    EXPECT_EQ(setWindowLong(hwnd, GWL_EXSTYLE, 0x00040100 | WS_EX_LAYERED), 0x00040100);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE), 0x00040100 | WS_EX_LAYERED);
}

TEST(ApiDeclare, AMissingNameFailsOnlyWhenCalledAndNamesFunctionAndLibrary)
{
    const ApiDeclare<int32_t(int32_t)> missing("user32", "AnimateWindowEx");
    const RuntimeError error = errorOf([&] { missing(1); });
    EXPECT_EQ(error.number(), 453);
    EXPECT_TRUE(error.text().startsWith("Can't find DLL entry point")) << error.what();
    EXPECT_TRUE(error.text().contains("AnimateWindowEx")) << error.what();
    EXPECT_TRUE(error.text().contains("user32")) << error.what();
    EXPECT_FALSE(missing.isBound());
}

TEST(ApiDeclare, ADeclarationWithOtherParametersDoesNotBind)
{
    // The table's function takes four arguments, the alpha a byte.
    const ApiDeclare<int32_t(int32_t, int32_t, int32_t)> wrong(
        "user32", "SetLayeredWindowAttributes");
    EXPECT_EQ(errorOf([&] { wrong(1, 0, 255); }).number(), 453);
    const ApiDeclare<int32_t(int32_t, int32_t, uint8_t, int32_t)> right(
        "user32", "SetLayeredWindowAttributes");
    EXPECT_EQ(right(0, 0, 255, LWA_ALPHA), 0);
}

TEST(ApiDeclare, AHiddenNameFailsEvenForADeclarationThatAlreadyBound)
{
    QWidget window;
    const HWND hwnd = WindowHandles::registerWindow(&window);
    const ApiDeclare<int32_t(int32_t, int32_t)> getWindowLong("user32", "GetWindowLongA");
    ASSERT_EQ(getWindowLong(hwnd, GWL_EXSTYLE), 0x00040100);
    {
        const HiddenApi hidden("user32", "GetWindowLongA");
        EXPECT_FALSE(ApiTable::contains("user32", "GetWindowLongA"));
        EXPECT_FALSE(getWindowLong.isBound());
        EXPECT_EQ(errorOf([&] { getWindowLong(hwnd, GWL_EXSTYLE); }).number(), 453);
        // Other names stay callable.
        const ApiDeclare<int32_t(int32_t, int32_t, int32_t)> setWindowLong(
            "user32", "SetWindowLongA");
        EXPECT_EQ(setWindowLong(hwnd, GWL_EXSTYLE, 0x100), 0x00040100);
        // A fresh declaration fails too.
        const ApiDeclare<int32_t(int32_t, int32_t)> fresh("user32", "GetWindowLongA");
        EXPECT_EQ(errorOf([&] { fresh(hwnd, GWL_EXSTYLE); }).number(), 453);
    }
    EXPECT_TRUE(ApiTable::contains("user32", "GetWindowLongA"));
    EXPECT_EQ(getWindowLong(hwnd, GWL_EXSTYLE), 0x100);
}

TEST(ApiDeclare, ANameCanBeHiddenBeforeItExists)
{
    const HiddenApi hidden("testlib", "Answer");
    ApiTable::add("testlib", "Answer", &answerOne);
    const ApiDeclare<int32_t(int32_t)> answer("testlib", "Answer");
    EXPECT_EQ(errorOf([&] { answer(0); }).number(), 453);
    ApiTable::show("testlib", "Answer");
    EXPECT_EQ(answer(0), 1);
}

TEST(ApiDeclare, ABoundDeclarationFollowsAReplacedFunction)
{
    ApiTable::add("testlib", "Replaced", &answerOne);
    const ApiDeclare<int32_t(int32_t)> answer("TESTLIB", "Replaced");
    EXPECT_EQ(answer(0), 1);
    ApiTable::add("testlib", "Replaced", &answerTwo);
    EXPECT_EQ(answer(0), 2);
}

} // namespace
