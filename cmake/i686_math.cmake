# The floating-point flags of every 32-bit (i686) build, the Windows control and the native test
# build alike: doubles in SSE2 double precision, as on x86_64. The x87 unit's default 80-bit
# intermediates would round some products of the node's scaled values differently (-20000
# hundredths times 0.01 would come out a hair below -200.0, 68.35 would show as 68.3). The
# top-level CMakeLists.txt adds them to every target, GoogleTest's too. Needs a processor with
# SSE2, which every processor that Windows 8 or later runs on has.
set(HD7_3_I686_MATH_FLAGS -msse2 -mfpmath=sse)
