// The five edit boxes: what survives a restart, and what each accepts when
// typed, posted or pasted.
#include "e2e/quillorn_session.h"

namespace e2e {
namespace {

using Fields = QuillornSession;

TEST_F(Fields, SurviveARestartWhileTheListsComeBackAtTheirFirstItems) {
    ASSERT_NO_FATAL_FAILURE(startAndShow());
    const std::string values[5] = {"KU_abc-123 xyz", "8", "我的服务器", "描述 text，中文", "密码ab-12"};
    for (int number = 1; number <= 4; ++number) setWindowText(editBox(number), values[number - 1]);
    // Typing takes only digits and '-' in 编辑框5, a paste takes anything.
    ASSERT_TRUE(setClipboardText(values[4]));
    paste(editBox(5));
    ASSERT_NO_FATAL_FAILURE(expectText(editBox(5), values[4]));
    ASSERT_TRUE(selectListItem(window.gameModeList, 1));
    ASSERT_TRUE(selectListItem(window.playStyleList, 2));

    ASSERT_NO_FATAL_FAILURE(closeWithEsc());
    // No configuration in this run: both keywords are saved empty.
    EXPECT_EQ(fileBytes(settingsPath()),
              settingsFileBytes("", {values[0], "", values[1], "", values[2], values[3], values[4]}))
        << hexDump(fileBytes(settingsPath()));

    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(waitForMainWindow());
    for (int number = 1; number <= 5; ++number) EXPECT_EQ(windowText(editBox(number)), values[number - 1]);
    EXPECT_EQ(selectedListItem(window.gameModeList), 0);
    EXPECT_EQ(selectedListItem(window.playStyleList), 0);
    EXPECT_EQ(windowText(window.gameModeList), appTexts::kGameModeItems[0]);
    EXPECT_EQ(windowText(window.playStyleList), appTexts::kPlayStyleItems[0]);
}

enum class Entry { keyPresses, postedCharacters, paste };

struct FilterCase {
    const char* what;
    int editBox;
    Entry entry;
    const char* entered;
    const char* shown;
};

// Each entry ends with a character every box takes, so once it shows, every
// character before it has been handled.
constexpr FilterCase kFilterCases[] = {
    {u8"typed into 编辑框2", 2, Entry::keyPresses, "a1-b2-c3", "1-2-3"},
    {u8"typed into 编辑框5", 5, Entry::keyPresses, "-x7q--Z9", "-7--9"},
    {u8"typed into 编辑框1, which has no filter", 1, Entry::keyPresses, "a1-b2-c3", "a1-b2-c3"},
    {u8"typed into 编辑框3, which has no filter", 3, Entry::keyPresses, "Ab-9", "Ab-9"},
    {u8"posted to 编辑框2", 2, Entry::postedCharacters, "x-9y9- 1", "-99-1"},
    {u8"posted to 编辑框5", 5, Entry::postedCharacters, "p@ss-42", "-42"},
    {u8"pasted into 编辑框2", 2, Entry::paste, "12ab", "12ab"},
    {u8"pasted into 编辑框5", 5, Entry::paste, "abc-DEF", "abc-DEF"},
};

TEST_F(Fields, DigitsAndMinusOnlyAreTypedInto2And5WhilePastesKeepEverything) {
    ASSERT_NO_FATAL_FAILURE(startAndShow());
    for (const FilterCase& row : kFilterCases) {
        SCOPED_TRACE(row.what);
        HWND box = editBox(row.editBox);
        setWindowText(box, "");
        switch (row.entry) {
            case Entry::keyPresses: {
                ASSERT_TRUE(bringToFront(window.window));
                const RECT rect = rectIn(box, window.window);
                ASSERT_TRUE(clickAt(
                    clientToScreen(window.window, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2})));
                ASSERT_NO_FATAL_FAILURE(expectFocusOn(box));
                typeKeys(row.entered);
                break;
            }
            case Entry::postedCharacters: postCharacters(box, row.entered); break;
            case Entry::paste:
                ASSERT_TRUE(setClipboardText(row.entered));
                paste(box);
                break;
        }
        expectText(box, row.shown);
    }
}

}  // namespace
}  // namespace e2e
