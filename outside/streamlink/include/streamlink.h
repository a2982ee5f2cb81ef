/* StreamLink.dll: the streaming client of the video server's media service.
 *
 * A player connects to the media service (TCP port 1980 of the server),
 * opens a media file by its server path, decodes its frames on a rendering
 * thread of its own and draws them into the video window: the parent of the
 * window it notifies, stretched over that window's client area.
 *
 * Progress is reported by posting the notification message given to
 * SC_OpenPlayer to the notified window: wParam is a status (SC_STATUS_*),
 * lParam the player handle, so a window that replaces its player can tell
 * the old player's late messages from the new one's.
 *
 * All functions use the C calling convention and are exported by name.
 * Unless stated otherwise they return non-zero on success. A handle that is
 * not (or no longer) a live player is refused like a failure.
 */
#ifndef STREAMLINK_H
#define STREAMLINK_H

#include <windows.h>

#ifdef STREAMLINK_BUILDING
#define SC_API __declspec(dllexport)
#else
#define SC_API __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct SC_Player* SC_PLAYER;

/* Statuses: posted (P) to the notified window, or only reported by
 * SC_GetStatus. */
enum {
    SC_STATUS_CREATED = 1,           /* player made, not connected */
    SC_STATUS_CONNECTING = 2,        /* connection under way */
    SC_STATUS_CONNECTION_FAILED = 3, /* P: lost the server, or could not reach it */
    SC_STATUS_LOGIN_REFUSED = 4,     /* P: the server refused the credential */
    SC_STATUS_LOGGING_IN = 5,        /* connected, credential sent */
    SC_STATUS_CONNECTED = 6,         /* P: logged in, media may be opened */
    SC_STATUS_OPEN_FAILED = 7,       /* P: the media exists but cannot be played */
    SC_STATUS_STREAM_BROKEN = 8,     /* P: the server sent what it should not */
    SC_STATUS_OPENING = 9,           /* media requested */
    SC_STATUS_FILE_NOT_FOUND = 10,   /* P: no media at that path */
    SC_STATUS_MEDIA_READY = 11,      /* P: media open, positioned at its first frame */
    SC_STATUS_MEDIA_END = 12,        /* P: the last frame has been shown */
    SC_STATUS_MEDIA_CLOSED = 13,     /* P: SC_CloseMedia has completed */
    SC_STATUS_PLAYING = 14,
    SC_STATUS_PAUSED = 15,
    SC_STATUS_CLOSING = 16,         /* SC_CloseMedia under way */
    SC_STATUS_CLOSED_BY_SERVER = 17 /* P: the server closed the media */
};

/* What the rendering thread tells a draw function about the frame it is
 * about to present. */
typedef struct SC_FrameInfo {
    unsigned int structSize;   /* sizeof(SC_FrameInfo) */
    int frameNumber;           /* position of the frame in the media */
    unsigned short frameWidth; /* picture size in pixels */
    unsigned short frameHeight;
    unsigned short metadataPresent; /* non-zero when metadata points at a block */
    unsigned short pixelFormat;     /* 1 planar YUV 4:2:0, 2 32-bit bottom-up */
    const unsigned char* metadata;  /* the server's metadata block, big-endian */
    unsigned int metadataLength;    /* bytes at metadata */
    unsigned int timeMs;            /* time of the frame from the media's start */
} SC_FrameInfo;

/* Called on the rendering thread once per frame before it is presented:
 * passThrough is the player handle, untouched; dc draws on the picture in
 * picture pixels (frameWidth x frameHeight); frame is valid during the call
 * only; user is the value given to SC_RigisterDrawFun. The function may call
 * the other SC_ functions of this player except SC_ClosePlayer. */
typedef void (*SC_DrawFun)(void* passThrough, HDC dc, const SC_FrameInfo* frame, void* user);

/* A new player that posts message to window; null on failure. */
SC_API SC_PLAYER SC_OpenPlayer(UINT message, HWND window);
/* Connects to server (a host name or address) and sends the credential.
 * Returns 0 at once when the server cannot be reached within a few seconds;
 * otherwise SC_STATUS_CONNECTED or SC_STATUS_LOGIN_REFUSED follows. */
SC_API int SC_ConnectServer(SC_PLAYER player, const char* server, unsigned short port,
                            const char* user, const char* password);
/* Opens a media file by its server path, closing any media open before.
 * SC_STATUS_MEDIA_READY, SC_STATUS_FILE_NOT_FOUND or SC_STATUS_OPEN_FAILED
 * follows. The media is paused at its start until SC_Play. */
SC_API int SC_OpenMedia(SC_PLAYER player, const char* path);
/* Closes the media; SC_STATUS_MEDIA_CLOSED follows (at once when nothing is
 * open; a close already under way is not repeated). */
SC_API int SC_CloseMedia(SC_PLAYER player);
/* Starts or resumes playing; at the end of the media, plays it again. */
SC_API int SC_Play(SC_PLAYER player);
SC_API int SC_Pause(SC_PLAYER player);
/* Positions to an absolute frame (the last one when beyond the end); while
 * paused that frame is shown. */
SC_API int SC_SeekFrame(SC_PLAYER player, unsigned int frame);
/* Ends the connection and the player's threads; the handle is void after. No
 * status is posted once it returns. */
SC_API int SC_ClosePlayer(SC_PLAYER player);
/* The latest status; 0 for a handle that is not a live player. */
SC_API int SC_GetStatus(SC_PLAYER player);

/* Of the open media (0 when none): frames, milliseconds, pixels. */
SC_API unsigned int SC_GetTotalFrames(SC_PLAYER player);
SC_API unsigned int SC_GetTotalTime(SC_PLAYER player);
SC_API int SC_GetVideoWidth(SC_PLAYER player);
SC_API int SC_GetVideoHeight(SC_PLAYER player);
/* The frame last decoded (or sought to), -1 (0xFFFFFFFF) when none. */
SC_API unsigned int SC_GetCurrentFrameNo(SC_PLAYER player);
/* The time of that frame in milliseconds, 0 when none. */
SC_API unsigned int SC_GetCurrentTime(SC_PLAYER player);

/* Sets the one draw function (null removes it) and its user value. */
SC_API int SC_RigisterDrawFun(SC_PLAYER player, SC_DrawFun draw, void* user);
/* Presents the last picture again, as drawn; returns 0 when there is none. */
SC_API int SC_MaintainImage(SC_PLAYER player);
/* The last decoded picture as the stream carries it: width x height x 4 bytes
 * of 32-bit pixels (bottom row first, as a bottom-up DIB), or planar YUV
 * 4:2:0. With a null buffer, sets *length to its size. With a buffer of
 * *length bytes, fills it and sets *length. Returns 0 on success, non-zero on
 * failure (no picture, no length, or a buffer too small: *length then holds
 * the size needed). */
SC_API int SC_GetOriginalImage(SC_PLAYER player, unsigned char* buffer, unsigned int* length);

#ifdef __cplusplus
}

#include <cstddef>
static_assert(offsetof(SC_FrameInfo, frameNumber) == 4, "frame number at byte 4");
static_assert(offsetof(SC_FrameInfo, frameWidth) == 8, "width at byte 8");
static_assert(offsetof(SC_FrameInfo, frameHeight) == 10, "height at byte 10");
static_assert(offsetof(SC_FrameInfo, metadataPresent) == 12, "metadata flag at byte 12");
static_assert(offsetof(SC_FrameInfo, metadata) == 16, "metadata pointer at byte 16");
#endif

#endif /* STREAMLINK_H */
