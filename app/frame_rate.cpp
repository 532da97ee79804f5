#include "app/frame_rate.h"

#include <GL/freeglut.h>

#include <cstdio>

bool countFrame(int now, char (&title)[fpsTitleSize]) {
    const long long elapsed = static_cast<long long>(now) - fpsLastTime;
    if (elapsed > 1000) {
        // Wide arithmetic: the product and the difference cannot overflow, the quotient fits.
        const long long rate = static_cast<long long>(fpsFrames) * 1000 / elapsed;
        std::snprintf(title, fpsTitleSize, "Fps:%f", static_cast<double>(rate));
        fpsFrames = 0;
        fpsLastTime = now;
        return true;
    }
    fpsFrames = fpsFrames + 1;
    return false;
}

void updateFrameRate() {
    char title[fpsTitleSize];
    if (countFrame(glutGet(GLUT_ELAPSED_TIME), title)) {
        glutSetWindowTitle(title);
    }
}
