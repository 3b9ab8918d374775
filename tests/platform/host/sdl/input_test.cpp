// Keyboard, text and window-event translation, fed with SDL events made by hand.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/host/sdl/event_translator.h"
#include "platform/host/sdl/key_map.h"
#include "platform/host/sdl/text_codec.h"

namespace platform::sdl {
namespace {

TEST(KeyMap, GivesVirtualKeysOfLettersDigitsAndNamedKeys) {
    EXPECT_EQ(VirtualKeyFor(SDLK_a, SDL_SCANCODE_A), 'A');
    EXPECT_EQ(VirtualKeyFor(SDLK_z, SDL_SCANCODE_Z), 'Z');
    EXPECT_EQ(VirtualKeyFor(SDLK_0, SDL_SCANCODE_0), '0');
    EXPECT_EQ(VirtualKeyFor(SDLK_9, SDL_SCANCODE_9), '9');
    EXPECT_EQ(VirtualKeyFor(SDLK_LEFT, SDL_SCANCODE_LEFT), 37);
    EXPECT_EQ(VirtualKeyFor(SDLK_UP, SDL_SCANCODE_UP), 38);
    EXPECT_EQ(VirtualKeyFor(SDLK_RIGHT, SDL_SCANCODE_RIGHT), 39);
    EXPECT_EQ(VirtualKeyFor(SDLK_DOWN, SDL_SCANCODE_DOWN), 40);
    EXPECT_EQ(VirtualKeyFor(SDLK_RETURN, SDL_SCANCODE_RETURN), 0x0D);
    EXPECT_EQ(VirtualKeyFor(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER), 0x0D);
    EXPECT_EQ(VirtualKeyFor(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE), 0x1B);
    EXPECT_EQ(VirtualKeyFor(SDLK_SPACE, SDL_SCANCODE_SPACE), 0x20);
    EXPECT_EQ(VirtualKeyFor(SDLK_F1, SDL_SCANCODE_F1), 0x70);
    EXPECT_EQ(VirtualKeyFor(SDLK_F12, SDL_SCANCODE_F12), 0x7B);
    EXPECT_EQ(VirtualKeyFor(SDLK_KP_0, SDL_SCANCODE_KP_0), 0x60);
    EXPECT_EQ(VirtualKeyFor(SDLK_KP_9, SDL_SCANCODE_KP_9), 0x69);
    EXPECT_EQ(VirtualKeyFor(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT), 0x10);
    EXPECT_EQ(VirtualKeyFor(SDLK_RCTRL, SDL_SCANCODE_RCTRL), 0x11);
    EXPECT_EQ(VirtualKeyFor(SDLK_SLASH, SDL_SCANCODE_SLASH), 0xBF);
}

TEST(KeyMap, FallsBackToThePositionForCharactersWithoutACode) {
    // A letter of another alphabet on the A key still reaches the program as 'A'.
    EXPECT_EQ(VirtualKeyFor(0x0444, SDL_SCANCODE_A), 'A');
    EXPECT_EQ(VirtualKeyFor(0x0444, SDL_SCANCODE_GRAVE), 0);
    EXPECT_EQ(VirtualKeyFor(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 0);
}

TEST(KeyMap, OnlyEnterEscapeBackspaceAndTabMakeTheirOwnCharacters) {
    EXPECT_EQ(ControlCharacterFor(SDLK_RETURN), 13);
    EXPECT_EQ(ControlCharacterFor(SDLK_KP_ENTER), 13);
    EXPECT_EQ(ControlCharacterFor(SDLK_ESCAPE), 27);
    EXPECT_EQ(ControlCharacterFor(SDLK_BACKSPACE), 8);
    EXPECT_EQ(ControlCharacterFor(SDLK_TAB), 9);
    for (SDL_Keycode key : {SDLK_LEFT, SDLK_UP, SDLK_RIGHT, SDLK_DOWN, SDLK_a, SDLK_SPACE,
                            SDLK_DELETE, SDLK_F1, SDLK_LSHIFT})
        EXPECT_EQ(ControlCharacterFor(key), 0) << key;
}

TEST(TextCodec, ConvertsBetweenTheCodePageAndUtf8) {
    EXPECT_EQ(CodePageToUtf8("Grommelin Quibbert's Zandrofel"), "Grommelin Quibbert's Zandrofel");
    EXPECT_EQ(CodePageToUtf8("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(CodePageToUtf8("\x81"), "?");  // unassigned in the code page
    EXPECT_EQ(Utf8ToCodePage("caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9C"), "caf\xE9 \x80 \x93");
    // Characters the code page lacks, and broken sequences, are dropped rather than guessed.
    EXPECT_EQ(Utf8ToCodePage("a\xE4\xB8\xAD"
                             "b"),
              "ab");
    EXPECT_EQ(Utf8ToCodePage("a\xC3"), "a");
    EXPECT_EQ(Utf8ToCodePage("a\xC3"
                             "b"),
              "ab");
    EXPECT_EQ(Utf8ToCodePage("\xF0\x9F\x98\x80x"), "x");
}

class Translation : public ::testing::Test {
  protected:
    void SetUp() override {
        windows_.Add(1, 100);
        windows_.Add(2, 200);
    }

    std::deque<HostEvent> Translate(const SDL_Event& event) {
        std::deque<HostEvent> out;
        translator_.Translate(event, &out);
        return out;
    }

    static SDL_Event Key(Uint32 type, SDL_Keycode key, Uint32 window, Uint16 mod = 0,
                         Uint8 repeat = 0) {
        SDL_Event event{};
        event.key.type = type;
        event.key.windowID = window;
        event.key.repeat = repeat;
        event.key.keysym.sym = key;
        event.key.keysym.scancode = SDL_SCANCODE_UNKNOWN;
        event.key.keysym.mod = mod;
        return event;
    }

    static SDL_Event WindowEvent(Uint8 what, Uint32 window, int data1 = 0, int data2 = 0) {
        SDL_Event event{};
        event.window.type = SDL_WINDOWEVENT;
        event.window.event = what;
        event.window.windowID = window;
        event.window.data1 = data1;
        event.window.data2 = data2;
        return event;
    }

    WindowDirectory windows_;
    EventTranslator translator_{windows_};
};

TEST_F(Translation, EnterGivesAKeyDownThenItsCharacterAndArrowsGiveNoCharacter) {
    auto enter = Translate(Key(SDL_KEYDOWN, SDLK_RETURN, 200));
    ASSERT_EQ(enter.size(), 2u);
    EXPECT_EQ(enter[0].type, HostEventType::kKeyDown);
    EXPECT_EQ(enter[0].window, 2u);
    EXPECT_EQ(enter[0].virtual_key, 0x0D);
    EXPECT_EQ(enter[1].type, HostEventType::kChar);
    EXPECT_EQ(enter[1].window, 2u);
    EXPECT_EQ(enter[1].character, 13);

    auto up = Translate(Key(SDL_KEYDOWN, SDLK_UP, 100, KMOD_LSHIFT, 1));
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].virtual_key, 38);
    EXPECT_TRUE(up[0].repeat);
    EXPECT_TRUE(up[0].shift);

    auto release = Translate(Key(SDL_KEYUP, SDLK_RETURN, 100));
    ASSERT_EQ(release.size(), 1u);
    EXPECT_EQ(release[0].type, HostEventType::kKeyUp);
    EXPECT_EQ(release[0].virtual_key, 0x0D);
}

TEST_F(Translation, CtrlTypesTheControlCharactersOfWin32AndTheHostKeysStillNothing) {
    struct Case {
        SDL_Keycode key;
        Uint16 mod;
        std::vector<int> characters;  // after the key-down
        bool host_key = false;        // then the program gets nothing at all
    };
    for (const Case& c : std::initializer_list<Case>{
             {SDLK_a, KMOD_LCTRL, {1}},  // a character, so it settles a finished round
             {SDLK_z, KMOD_RCTRL | KMOD_SHIFT, {26}},
             {SDLK_LEFTBRACKET, KMOD_LCTRL, {27}},
             {SDLK_BACKSLASH, KMOD_LCTRL, {28}},
             {SDLK_RIGHTBRACKET, KMOD_LCTRL, {29}},
             {SDLK_RETURN, KMOD_LCTRL, {10}},
             {SDLK_KP_ENTER, KMOD_RCTRL, {10}},
             {SDLK_BACKSPACE, KMOD_LCTRL, {127}},
             {SDLK_a, KMOD_LCTRL | KMOD_RALT, {}},  // AltGr
             {SDLK_1, KMOD_LCTRL, {}},
             {SDLK_EQUALS, KMOD_LCTRL, {}, true},
             {SDLK_RETURN, KMOD_LALT, {}, true}}) {
        auto out = Translate(Key(SDL_KEYDOWN, c.key, 100, c.mod));
        Translate(Key(SDL_KEYUP, c.key, 100, c.mod));
        ASSERT_EQ(out.size(), c.host_key ? 0u : 1u + c.characters.size()) << c.key;
        std::vector<int> characters;
        for (size_t i = 1; i < out.size(); ++i) characters.push_back(out[i].character);
        EXPECT_EQ(characters, c.characters) << c.key;
    }
}

TEST_F(Translation, TextInputGivesOneCharacterPerCodePageByte) {
    SDL_Event text{};
    text.text.type = SDL_TEXTINPUT;
    text.text.windowID = 100;
    std::strcpy(text.text.text, "a \xC3\xA9");
    auto out = Translate(text);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].character, 'a');
    EXPECT_EQ(out[1].character, ' ');
    EXPECT_EQ(out[2].character, 0xE9);
    for (const HostEvent& event : out) {
        EXPECT_EQ(event.type, HostEventType::kChar);
        EXPECT_EQ(event.window, 1u);
    }
}

TEST_F(Translation, ClicksKeepClientCoordinatesAndTheirWindow) {
    SDL_Event click{};
    click.button.type = SDL_MOUSEBUTTONDOWN;
    click.button.windowID = 200;
    click.button.button = SDL_BUTTON_RIGHT;
    click.button.x = 17;
    click.button.y = 523;
    auto out = Translate(click);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].type, HostEventType::kButtonDown);
    EXPECT_EQ(out[0].window, 2u);
    EXPECT_EQ(out[0].button, MouseButton::kRight);
    EXPECT_EQ(out[0].x, 17);
    EXPECT_EQ(out[0].y, 523);

    click.button.type = SDL_MOUSEBUTTONUP;
    click.button.button = SDL_BUTTON_LEFT;
    out = Translate(click);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].type, HostEventType::kButtonUp);
    EXPECT_EQ(out[0].button, MouseButton::kLeft);

    click.button.button = SDL_BUTTON_X1;
    EXPECT_TRUE(Translate(click).empty());
}

TEST_F(Translation, EventsOfUnknownWindowsAreDropped) {
    EXPECT_TRUE(Translate(Key(SDL_KEYDOWN, SDLK_RETURN, 0)).empty());
    EXPECT_TRUE(Translate(Key(SDL_KEYDOWN, SDLK_a, 999)).empty());
    EXPECT_TRUE(Translate(WindowEvent(SDL_WINDOWEVENT_CLOSE, 300)).empty());
}

TEST_F(Translation, KeysWithoutAWindowGoToTheWindowLastGivenTheKeyboard) {
    windows_.SetKeyboardWindow(2);
    auto out = Translate(Key(SDL_KEYDOWN, SDLK_TAB, 0));
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].window, 2u);
    EXPECT_EQ(out[1].window, 2u);
    SDL_Event text{};
    text.text.type = SDL_TEXTINPUT;
    std::strcpy(text.text.text, "q");
    out = Translate(text);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].window, 2u);
    // A named window still decides, and a closed one is forgotten.
    EXPECT_EQ(Translate(Key(SDL_KEYDOWN, SDLK_a, 100))[0].window, 1u);
    windows_.Remove(2);
    EXPECT_TRUE(Translate(Key(SDL_KEYDOWN, SDLK_a, 0)).empty());
}

TEST_F(Translation, QuitAsksTheWindowSystemToEndTheSession) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    auto out = Translate(quit);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].type, HostEventType::kQuitRequest);
    EXPECT_EQ(out[0].window, 0u);
}

TEST_F(Translation, WindowEventsBecomeCloseResizeMinimiseRestoreAndExpose) {
    auto close = Translate(WindowEvent(SDL_WINDOWEVENT_CLOSE, 100));
    ASSERT_EQ(close.size(), 1u);
    EXPECT_EQ(close[0].type, HostEventType::kCloseRequest);

    auto resized = Translate(WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 100, 1024, 700));
    ASSERT_EQ(resized.size(), 1u);
    EXPECT_EQ(resized[0].type, HostEventType::kResized);
    EXPECT_EQ(resized[0].width, 1024);
    EXPECT_EQ(resized[0].height, 700);
    // SDL reports an outside resize twice; only the size change counts.
    EXPECT_TRUE(Translate(WindowEvent(SDL_WINDOWEVENT_RESIZED, 100, 1024, 700)).empty());

    // Restoring counts only after minimising, and once, whichever of its events comes first.
    EXPECT_TRUE(Translate(WindowEvent(SDL_WINDOWEVENT_RESTORED, 100)).empty());
    auto minimized = Translate(WindowEvent(SDL_WINDOWEVENT_MINIMIZED, 100));
    ASSERT_EQ(minimized.size(), 1u);
    EXPECT_EQ(minimized[0].type, HostEventType::kMinimized);
    EXPECT_TRUE(Translate(WindowEvent(SDL_WINDOWEVENT_MINIMIZED, 100)).empty());
    auto shown = Translate(WindowEvent(SDL_WINDOWEVENT_SHOWN, 100));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].type, HostEventType::kRestored);
    EXPECT_TRUE(Translate(WindowEvent(SDL_WINDOWEVENT_RESTORED, 100)).empty());

    auto exposed = Translate(WindowEvent(SDL_WINDOWEVENT_EXPOSED, 200));
    ASSERT_EQ(exposed.size(), 1u);
    EXPECT_EQ(exposed[0].type, HostEventType::kExposed);
    EXPECT_EQ(exposed[0].window, 2u);
}

}  // namespace
}  // namespace platform::sdl
