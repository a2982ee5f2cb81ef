// The player handle the playback panel embeds: the streaming player is made
// on the first Open and lives as long as the handle; before that every
// operation answers a neutral value (GetState: kNoPlayer).
#pragma once

#include "video_play_interface.h"

#include <memory>

class CVideoPlayer : public CVideoPlayInterface {
public:
    CVideoPlayer();
    ~CVideoPlayer() override;

    int Open(HWND parent, const wchar_t* path, HWND owner, uint32_t startFrame, uint32_t endFrame,
             const wchar_t* server) override;
    int Play() override;
    int Pause() override;
    int Stop() override;
    int GetState() override;
    int Extension6(int value) override;
    int GetTotalTime(double& seconds) override;
    int GetCurrentTime(double& seconds) override;
    int SeekTime(double seconds) override;
    int GetTotalFrames(double& frames) override;
    int GetCurrentFrame(double& frame) override;
    int SeekFrame(double frame) override;
    void* Extension13() override;
    void* Extension14() override;
    int Extension15(int value) override;
    double Extension16() override;
    double GetFrameRate() override;
    void GetVideoSize(int& width, int& height) override;
    void Extension19(int a, int b, int c, int d) override;
    void Extension20(int value) override;
    void Extension21(int value) override;
    void AddDrawCallback(DrawCallback callback, void* user) override;
    void RemoveDrawCallback(DrawCallback callback) override;
    void Refresh() override;
    int IsOpen() override;
    int Snapshot(const wchar_t* path) override;

private:
    std::unique_ptr<CVideoPlayInterface> m_inner;
};
