#include "app/window.h"

int main() {
    return gameMain();
}
