// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// For now the page only reads the question bank beside it through the
// module and shows what the readers made of it.
(async function () {
  'use strict';
  const core = await createSoruberia();
  const page = new URL('.', document.baseURI);
  await soruberiaBank.fetchBank(core, page);
  const report = soruberiaBank.bankReport(core, page.href.replace(/\/$/, ''));
  const errors = [report.explanation, report.questions, report.answers]
    .filter((reading) => reading.error).map((reading) => reading.error);
  document.getElementById('explanation').textContent = report.explanation.line || '';
  if (report.questions.texts) {
    document.getElementById('bank').textContent = '問題 ' + report.questions.texts.length + ' 問';
  }
  document.getElementById('errors').textContent = errors.join('\n');
})();
