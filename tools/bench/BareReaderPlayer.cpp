// pelor_bare_reader: plays movie files one after another with the least
// Media Foundation needs: a source reader per file giving decoded NV12 (or
// YUY2) frames, each converted to 32-bit pixels and painted centred at its own
// size on a black topmost popup at its presentation time. No sound, no
// session, no sinks. The QuickTime benchmarks on the Media Foundation path
// measure PELOR.SCR against it. After the last file the screen stays black
// until WM_CLOSE, a key or a mouse button.
//   pelor_bare_reader FILE...
#include <windows.h>
#include <mfapi.h>
#include <mfidl.h>
#include <mfreadwrite.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdint>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

bool gQuit = false;

LRESULT CALLBACK ScreenProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
        PostMessageA(wnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_DESTROY:
        gQuit = true;
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(wnd, msg, wp, lp);
    }
}

// Handles messages until `until` (a GetTickCount value) or the quit.
void PumpUntil(DWORD until) {
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return;
            DispatchMessageA(&msg);
        }
        const DWORD now = GetTickCount();
        if (gQuit || static_cast<LONG>(until - now) <= 0) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, until - now, QS_ALLINPUT);
    }
}

uint8_t Clamp(int v) { return static_cast<uint8_t>(std::min(255, std::max(0, v))); }

// One BT.601 pixel into BGRA.
void PutPixel(uint8_t* out, int y, int u, int v) {
    const int c = (y - 16) * 298, d = u - 128, e = v - 128;
    out[0] = Clamp((c + 516 * d + 128) >> 8);
    out[1] = Clamp((c - 100 * d - 208 * e + 128) >> 8);
    out[2] = Clamp((c + 409 * e + 128) >> 8);
    out[3] = 0;
}

class Reader {
public:
    bool Open(const char* file) {
        wchar_t wide[MAX_PATH];
        if (MultiByteToWideChar(CP_ACP, 0, file, -1, wide, MAX_PATH) <= 0) return false;
        if (FAILED(MFCreateSourceReaderFromURL(wide, nullptr, &reader_))) return false;
        reader_->SetStreamSelection(MF_SOURCE_READER_ALL_STREAMS, FALSE);
        reader_->SetStreamSelection(MF_SOURCE_READER_FIRST_VIDEO_STREAM, TRUE);
        for (const GUID& subtype : {MFVideoFormat_NV12, MFVideoFormat_YUY2}) {
            ComPtr<IMFMediaType> type;
            MFCreateMediaType(&type);
            type->SetGUID(MF_MT_MAJOR_TYPE, MFMediaType_Video);
            type->SetGUID(MF_MT_SUBTYPE, subtype);
            if (SUCCEEDED(reader_->SetCurrentMediaType(MF_SOURCE_READER_FIRST_VIDEO_STREAM, nullptr, type.Get()))) {
                nv12_ = subtype == MFVideoFormat_NV12;
                ComPtr<IMFMediaType> current;
                UINT32 w = 0, h = 0;
                if (FAILED(reader_->GetCurrentMediaType(MF_SOURCE_READER_FIRST_VIDEO_STREAM, &current)) ||
                    FAILED(MFGetAttributeSize(current.Get(), MF_MT_FRAME_SIZE, &w, &h)) || w == 0 || h == 0) {
                    return false;
                }
                width_ = static_cast<int>(w);
                height_ = static_cast<int>(h);
                pixels_.assign(static_cast<size_t>(width_) * height_ * 4, 0);
                return true;
            }
        }
        return false;
    }

    // Plays the file to its end on `screen`.
    void Play(HWND screen) {
        const DWORD start = GetTickCount();
        while (!gQuit) {
            DWORD flags = 0;
            LONGLONG time = 0;
            ComPtr<IMFSample> sample;
            if (FAILED(reader_->ReadSample(MF_SOURCE_READER_FIRST_VIDEO_STREAM, 0, nullptr, &flags, &time, &sample)) ||
                (flags & MF_SOURCE_READERF_ENDOFSTREAM) != 0) {
                return;
            }
            if (!sample) continue;
            PumpUntil(start + static_cast<DWORD>(time / 10000));
            ComPtr<IMFMediaBuffer> buffer;
            BYTE* data = nullptr;
            DWORD length = 0;
            if (FAILED(sample->ConvertToContiguousBuffer(&buffer)) || FAILED(buffer->Lock(&data, nullptr, &length)))
                continue;
            Convert(data, length);
            buffer->Unlock();
            Paint(screen);
        }
    }

private:
    void Convert(const BYTE* data, DWORD length) {
        const size_t w = static_cast<size_t>(width_), h = static_cast<size_t>(height_);
        if (nv12_) {
            // The planes may be taller than the picture (decoders align them).
            const size_t planeRows = length * 2 / 3 / w;
            if (planeRows < h) return;
            const BYTE* uv = data + planeRows * w;
            for (size_t y = 0; y < h; ++y)
                for (size_t x = 0; x < w; ++x) {
                    const BYTE* c = uv + (y / 2) * w + (x & ~static_cast<size_t>(1));
                    PutPixel(&pixels_[(y * w + x) * 4], data[y * w + x], c[0], c[1]);
                }
        } else {
            if (length < w * h * 2) return;
            for (size_t y = 0; y < h; ++y)
                for (size_t x = 0; x < w; ++x) {
                    const BYTE* p = data + (y * w + (x & ~static_cast<size_t>(1))) * 2;
                    PutPixel(&pixels_[(y * w + x) * 4], p[(x & 1) * 2], p[1], p[3]);
                }
        }
    }

    void Paint(HWND screen) {
        RECT area;
        GetClientRect(screen, &area);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC dc = GetDC(screen);
        SetDIBitsToDevice(dc, (area.right - width_) / 2, (area.bottom - height_) / 2, width_, height_, 0, 0, 0,
                          height_, pixels_.data(), &info, DIB_RGB_COLORS);
        ReleaseDC(screen, dc);
    }

    ComPtr<IMFSourceReader> reader_;
    bool nv12_ = true;
    int width_ = 0, height_ = 0;
    std::vector<uint8_t> pixels_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(MFStartup(MF_VERSION, 0))) return 2;
    WNDCLASSA wc{};
    wc.hInstance = instance;
    wc.lpfnWndProc = ScreenProc;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "PelorBareReaderScreen";
    RegisterClassA(&wc);
    HWND screen = CreateWindowExA(WS_EX_TOPMOST, "PelorBareReaderScreen", "BareReader", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  instance, nullptr);
    if (screen == nullptr) return 1;
    PumpUntil(GetTickCount());
    for (int i = 1; i < __argc && !gQuit; ++i) {
        Reader reader;
        if (reader.Open(__argv[i])) reader.Play(screen);
    }
    MSG msg;
    while (!gQuit && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    MFShutdown();
    CoUninitialize();
    return 0;
}
