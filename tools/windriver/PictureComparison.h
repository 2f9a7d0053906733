#pragma once

#include <windows.h>

#include "tools/windriver/Picture.h"

namespace vireluna::e2e {

// The notice line is text: the display and the native tool smooth its edges each in their own
// way. Its box, the extent of the text's pixels in either picture, is compared for its position
// only; every pixel outside it must be equal.
struct NoticeBox {
    bool found = false;
    RECT area{};  // [left, right) x [top, bottom)
};

// Pixels of the notice band that are black, the background or a blend of the two.
NoticeBox FindNotice(const Picture& first, const Picture& second);

struct PictureDifference {
    int outsideNotice = 0;  // differing pixels outside the notice box
    int insideNotice = 0;   // differing pixels inside it
    int noticeArea = 0;
    int largestNoticeStep = 0;  // the largest difference of one colour channel inside it
    NoticeBox notice;
};

// Both pictures must have one size. maskNotice false compares every pixel.
PictureDifference Compare(const Picture& shown, const Picture& expected, bool maskNotice);

}  // namespace vireluna::e2e
