// Numbers as the results pages write them.
const Fmt = (() => {
  // Whole seconds, halves up; the allowance absorbs values such as 4.999999999 seconds.
  function wholeSeconds(seconds) {
    return Math.floor(Math.abs(seconds) + 0.5 + 1e-7);
  }

  function twoDigits(n) {
    return (n < 10 ? '0' : '') + n;
  }

  // n:ss below ten minutes, nn:ss below an hour, h:nn:ss from an hour; "-" in front when
  // negative.
  function time(seconds) {
    const whole = wholeSeconds(seconds);
    const sign = seconds < 0 && whole > 0 ? '-' : '';
    const hours = Math.floor(whole / 3600);
    const minutes = Math.floor((whole % 3600) / 60);
    const rest = twoDigits(whole % 60);
    if (hours > 0) return sign + hours + ':' + twoDigits(minutes) + ':' + rest;
    return sign + minutes + ':' + rest;
  }

  // A difference: "+1:05", "-0:12", "0:00".
  function signedTime(seconds) {
    return seconds > 0 && wholeSeconds(seconds) > 0 ? '+' + time(seconds) : time(seconds);
  }

  // A time of day: "10:04:30".
  function clock(seconds) {
    const whole = wholeSeconds(seconds) % 86400;
    return Math.floor(whole / 3600) + ':' + twoDigits(Math.floor((whole % 3600) / 60)) + ':' + twoDigits(whole % 60);
  }

  // A ratio as a whole percentage, in single precision as the program shows it ("" below 0.5).
  function percent(ratio) {
    const shown = Math.fround(Math.fround(ratio) * 100);
    const whole = Math.floor(shown + 0.5);
    return whole === 0 ? '' : String(whole);
  }

  // A percentage with its sign: "+12%", "-3%", "0%".
  function signedPercent(value) {
    const whole = Math.round(value);
    return (whole > 0 ? '+' : '') + whole + '%';
  }

  // A share given in tenths of a percent, with one decimal ("#0.0"): the miss rate.
  function tenths(value) {
    return (value / 10).toFixed(1);
  }

  // "2024-04-21" as "2024/04/21".
  function date(iso) {
    return iso ? iso.replace(/-/g, '/') : '';
  }

  return { time, signedTime, clock, percent, signedPercent, tenths, date, wholeSeconds };
})();
