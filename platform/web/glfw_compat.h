/* Forced into raylib's C files (-include) for the web build only.
 *
 * Emscripten 3.1.6 emulates GLFW 3.2, and raylib 6.0's web platform calls two functions that
 * came with GLFW 3.3: glfwSetWindowAttrib, which only toggles the resizable attribute there,
 * and glfwSetWindowContentScaleCallback. A page has neither a window attribute nor a content
 * scale to change, so both do nothing. */
#ifndef GUI_DEMO_GLFW_COMPAT_H
#define GUI_DEMO_GLFW_COMPAT_H

typedef struct GLFWwindow GLFWwindow;
typedef void (*GLFWwindowcontentscalefun)(GLFWwindow* window, float xscale, float yscale);

static inline void glfwSetWindowAttrib(GLFWwindow* window, int attrib, int value) {
    (void)window, (void)attrib, (void)value;
}

static inline GLFWwindowcontentscalefun glfwSetWindowContentScaleCallback(
    GLFWwindow* window, GLFWwindowcontentscalefun callback) {
    (void)window, (void)callback;
    return 0;
}

#endif
