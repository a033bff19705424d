// Reads an 8-bit RGB or RGBA, non-interlaced PNG (what Chromium's screenshots and the desktop
// test's shots are) into { width, height, at(x, y) -> [r, g, b] }.
import zlib from 'node:zlib';

export function decodePng(buffer) {
  let pos = 8;
  let width = 0, height = 0, channels = 0;
  const data = [];
  while (pos < buffer.length) {
    const length = buffer.readUInt32BE(pos);
    const type = buffer.toString('latin1', pos + 4, pos + 8);
    const body = buffer.subarray(pos + 8, pos + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      const [depth, color, , , interlace] = body.subarray(8, 13);
      if (depth !== 8 || interlace !== 0 || (color !== 2 && color !== 6)) {
        throw new Error(`unsupported PNG: depth ${depth}, colour type ${color}, interlace ${interlace}`);
      }
      channels = color === 6 ? 4 : 3;
    } else if (type === 'IDAT') {
      data.push(body);
    }
    pos += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const pixels = Buffer.alloc(height * stride);
  // Undo each row's filter; a is the byte to the left, b above, c above-left.
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const row = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? pixels[y * stride + i - channels] : 0;
      const b = y > 0 ? pixels[(y - 1) * stride + i] : 0;
      const c = y > 0 && i >= channels ? pixels[(y - 1) * stride + i - channels] : 0;
      let predictor = 0;
      if (filter === 1) predictor = a;
      else if (filter === 2) predictor = b;
      else if (filter === 3) predictor = (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        predictor = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      pixels[y * stride + i] = (row[i] + predictor) & 0xff;
    }
  }
  return {
    width,
    height,
    at(x, y) {
      const i = Math.floor(y) * stride + Math.floor(x) * channels;
      return [pixels[i], pixels[i + 1], pixels[i + 2]];
    },
  };
}
