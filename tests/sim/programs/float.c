// Single-precision floating point (FlexSpin's float and double are both 32 bits), printed with
// few enough decimals that any correctly rounded library gives the same text.
// The expected output is what the same file prints when built natively.
#include <math.h>
#include <stdio.h>

int main(void) {
  volatile float a = 1.5f;
  volatile float b = -0.25f;
  printf("ops %.4f %.4f %.4f %.4f\n", (double)(a + b), (double)(a - b), (double)(a * b),
         (double)(a / b));
  printf("sqrt %.5f %.5f\n", (double)sqrtf(2.0f), (double)sqrtf(1e6f));
  printf("trig %.4f %.4f %.4f\n", (double)sinf(0.5f), (double)cosf(1.0f), (double)atan2f(1.0f, 1.0f));
  printf("exp %.4f log %.4f pow %.3f\n", (double)expf(1.0f), (double)logf(10.0f),
         (double)powf(2.0f, 10.0f));
  float sum = 0.0f;
  for (int i = 1; i <= 100; ++i) sum += 1.0f / (float)i;
  printf("harmonic %.3f\n", (double)sum);
  printf("convert %d %d %.1f\n", (int)3.99f, (int)-3.99f, (double)(float)123456);
  printf("floor %.1f ceil %.1f fabs %.2f\n", (double)floorf(-2.5f), (double)ceilf(-2.5f),
         (double)fabsf(-7.25f));
  printf("scientific %.3e\n", (double)(a * 1e8f));
  return 0;
}
