#ifndef Q31_AUDIO_CONF_LIB_ABI_H
#define Q31_AUDIO_CONF_LIB_ABI_H
/* The C interface of the audio chip's configuration library (osConfLib), as
 * the program resolves it by name. Wide text is UTF-16. Results are 0 for
 * success unless noted. */
#include <stdint.h>
#ifndef __cplusplus
#include <uchar.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* One audio endpoint, passed by value. */
typedef struct OsConfDevice {
    int32_t id;
    int32_t kind;     /* render: 1, 12, 7, 4 ...; capture: 2 */
    int32_t reserved; /* passed back unchanged */
    int32_t state;    /* 1 = active */
} OsConfDevice;

enum { kOsConfRender = 0, kOsConfCapture = 1 };
enum { kOsConfRead = 0, kOsConfWrite = 1 };

/* Value and parameter buffers hold at least 1024 bytes; a text value a
 * library writes is at most 511 UTF-16 units and its terminating zero. */
enum { kOsConfBufferBytes = 1024 };

typedef void (*OsConfCallback)(int32_t event, void* context);

typedef int32_t (*ConfLibInitFn)(void);
typedef int32_t (*GetDeviceByIdFn)(int32_t flow, int32_t index, OsConfDevice* device);
/* Reads leave a decimal text in *value; writes take a 32-bit integer or a
 * single-precision number from the start of *value. parameter may be null. */
typedef int32_t (*PropertyControlFn)(OsConfDevice device, const char16_t* name, void** value, void** parameter,
                                     int32_t direction);
typedef int32_t (*RegisterCallbackFunctionFn)(OsConfCallback callback, void* context);
typedef int32_t (*GetDeviceCountFn)(int32_t flow, int32_t* count);
typedef int32_t (*CreateDeviceListFn)(void);
typedef int32_t (*ConfLibUnInitFn)(void);
typedef int32_t (*ShowAsioPanelFn)(void);
typedef int32_t (*PlayTestSoundFn)(OsConfDevice device, int32_t channel);
typedef int32_t (*StopTestSoundFn)(OsConfDevice device);
typedef int32_t (*CloseTestSoundFn)(OsConfDevice device);

#ifdef __cplusplus
}
#endif

#endif
