#pragma once
#include "framework/Win32.h"

#include <cstdint>
#include <string>
#include <vector>

// A dialog template resource (the classic DLGTEMPLATE form) read back from
// this program's resources, so a test can compare it with the design.
struct DialogTemplate {
    struct Item {
        DWORD style = 0;
        int x = 0, y = 0, cx = 0, cy = 0;
        int id = 0;        // -1 for 0xFFFF
        int classAtom = 0; // 0x80 button, 0x81 edit, 0x82 static, 0x85 combo box; 0 = by name
        std::string className;
        std::string text;
    };
    bool found = false;
    DWORD style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    int pointSize = 0;
    std::string face;
    std::vector<Item> items;

    static DialogTemplate Load(int id) {
        DialogTemplate t;
        HMODULE module = GetModuleHandleA(nullptr);
        HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_DIALOG));
        if (res == nullptr) return t;
        const auto* base = static_cast<const uint8_t*>(LockResource(LoadResource(module, res)));
        const uint8_t* end = base + SizeofResource(module, res);
        const uint8_t* p = base;
        auto word = [&]() -> uint16_t {
            if (p + 2 > end) return 0;
            const uint16_t v = static_cast<uint16_t>(p[0] | p[1] << 8);
            p += 2;
            return v;
        };
        auto dword = [&]() -> DWORD { const DWORD lo = word(); return lo | static_cast<DWORD>(word()) << 16; };
        auto shortValue = [&]() { return static_cast<int>(static_cast<int16_t>(word())); };
        auto text = [&]() {
            std::string out;
            for (uint16_t c = word(); c != 0; c = word()) out += static_cast<char>(c);
            return out;
        };
        // A name, or 0xFFFF and a number.
        auto nameOrOrdinal = [&](int& ordinal) {
            ordinal = 0;
            if (p + 2 <= end && p[0] == 0xFF && p[1] == 0xFF) {
                word();
                ordinal = word();
                return std::string();
            }
            return text();
        };
        auto align = [&]() { p = base + ((p - base + 3) & ~3); };

        t.style = dword();
        dword();  // extended style
        const int count = word();
        t.x = shortValue();
        t.y = shortValue();
        t.cx = shortValue();
        t.cy = shortValue();
        int ordinal = 0;
        nameOrOrdinal(ordinal);  // menu
        nameOrOrdinal(ordinal);  // class
        t.caption = text();
        if (t.style & DS_SETFONT) {
            t.pointSize = word();
            t.face = text();
        }
        for (int i = 0; i < count && p < end; ++i) {
            align();
            Item item;
            item.style = dword();
            dword();
            item.x = shortValue();
            item.y = shortValue();
            item.cx = shortValue();
            item.cy = shortValue();
            item.id = static_cast<int16_t>(word());
            item.className = nameOrOrdinal(item.classAtom);
            int textOrdinal = 0;
            item.text = nameOrOrdinal(textOrdinal);
            // Creation data: its size counts the size word itself.
            const uint16_t extra = word();
            if (extra > 2) p += extra - 2;
            t.items.push_back(item);
        }
        t.found = true;
        return t;
    }
};
